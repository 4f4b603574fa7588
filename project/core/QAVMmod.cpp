// SPDX-License-Identifier: MIT

#include "QAVMmod.h"

#include <QStringList>

#include <algorithm>

#include "ansitext.h"
#include "filestore.h"
#include "pathrules.h"

MissionModel &missionModel()
{
    static MissionModel model;
    return model;
}

QString missionPath(const QString &directory, const QString &fileName)
{
    return Platform::joinPath({directory, missionFileName(fileName)});
}

QString missionFileName(const QString &fileName) { return fileName + QStringLiteral(".qav"); }

qsizetype firstUnwritable(QStringView text)
{
    const qsizetype unencodable = Platform::firstUnencodable(text);
    const qsizetype end = unencodable < 0 ? text.size() : unencodable;
    for (qsizetype i = 0; i < end; ++i) {
        // XML 1.0 has no place for the other controls, not even as references; a line
        // break would also end a line of the project file.
        if (text[i] < u'\x20' && text[i] != u'\t')
            return i;
    }
    return unencodable;
}

QString escapeMarkup(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': escaped += QStringLiteral("&amp;"); break;
        case u'<': escaped += QStringLiteral("&lt;"); break;
        case u'>': escaped += QStringLiteral("&gt;"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QString missionListEntry(const QString &missionName, const QString &missionFileName)
{
    return QStringLiteral("<Entry>\r\n\t<Label>") + escapeMarkup(missionName)
            + QStringLiteral("</Label>\r\n\t<XQAV>") + escapeMarkup(missionFileName)
            + QStringLiteral("</XQAV>\r\n</Entry>");
}

QString defaultDirectory() { return QString::fromLatin1(Form::Table::DefaultDirectory); }

QString directoryFromSettings(QByteArrayView contents)
{
    if (contents.isEmpty())
        return defaultDirectory();
    qsizetype end = 0;
    while (end < contents.size() && contents[end] != '\r' && contents[end] != '\n')
        ++end;
    // A line that does not end within the limit is no directory anyone typed.
    if (end == contents.size() && contents.size() > SettingsLineLimit)
        return defaultDirectory();
    return Platform::decodeAnsi(contents.first(end));
}

QString readRememberedDirectory()
{
    QByteArray contents;
    Platform::FileError error;
    if (!Platform::readFileStart(QString::fromLatin1(SettingsFileName), SettingsLineLimit + 1,
                                 &contents, &error))
        return defaultDirectory();
    return directoryFromSettings(contents);
}

namespace {

constexpr int IndentWidth = 14;
constexpr char WebAddress[] = PROJECT_HOMEPAGE_URL;

class MissionText
{
public:
    void line(int level, const QString &text = {})
    {
        m_text += QString(level * IndentWidth, u' ') + text + QStringLiteral("\r\n");
    }

    void separator()
    {
        line(0);
        tildes();
        line(0);
    }

    void tildes()
    {
        line(0, QStringLiteral("<!-- ") + QString(74, u'~'));
        line(0, QString(75, u'~') + QStringLiteral(" -->"));
    }

    QString text() const { return m_text; }

private:
    QString m_text;
};

// What a Var line holds: the model values of its fields, or the fixed text of a label.
QString lineValue(const MissionModel &model, Form::Id id)
{
    const Form::Control &field = Form::field(id);
    if (field.kind == Form::Kind::Label)
        return QString::fromUtf8(field.text);
    QStringList parts;
    for (const Form::Id element : Form::elements(id))
        parts.append(model.value(element));
    return parts.join(QChar(field.separator));
}

void writeStep(MissionText &out, const MissionModel &model, int step)
{
    // The fields that have a line, each array and each line once, in the order written.
    const QList<Form::Id> fields = Form::missionFields(step);

    out.line(2, QStringLiteral("<Step>"));
    out.line(3,
             QStringLiteral("<Label>") + escapeMarkup(model.value(Form::labelOf(step)))
                     + QStringLiteral("</Label>"));
    out.line(3, QString::fromLatin1(Form::steps()[step].processor));
    QStringList done;
    for (const Form::Id id : std::as_const(fields)) {
        const Form::Control &field = id.control();
        const QString var = QString::fromLatin1(field.mission.var);
        if (done.contains(var))
            continue;
        done.append(var);
        // Fields that share a line (the docking commands) are one list.
        QStringList parts;
        for (const Form::Id other : std::as_const(fields)) {
            if (var == QLatin1StringView(other.control().mission.var))
                parts.append(lineValue(model, other));
        }
        const QString value =
                Form::format(field.mission.format, parts.join(QChar(field.separator)));
        out.line(4,
                 QStringLiteral("<Var name=\"%1\"> ").arg(var) + escapeMarkup(value)
                         + QStringLiteral(" </Var>"));
    }
    out.line(3, QStringLiteral("</Processor>"));
    out.line(2, QStringLiteral("</Step>"));
}

} // namespace

QString renderMission(const MissionModel &model, const Omissions &omissions)
{
    MissionText out;
    out.line(0, QStringLiteral("<?xml version=\"1.0\"?>"));
    out.line(0);
    out.line(0, QStringLiteral("<!-- ") + QString(58, u'#') + u' ');
    out.line(0);
    out.line(0, QStringLiteral("WEB: ") + QLatin1StringView(WebAddress));
    out.line(0, QStringLiteral("PLEASE DO NOT REMOVE THE ABOVE!"));
    out.line(0, QString(60, u'#') + QStringLiteral(" -->"));
    out.line(0);
    out.tildes();
    out.line(0);
    out.line(0, QStringLiteral("<QAV>"));
    out.line(1, QStringLiteral("<Sequence>"));
    for (int step = 0; step < Form::MakeFileTab; ++step) {
        if (omissions[std::size_t(step)])
            continue;
        if (step > 0)
            out.separator();
        writeStep(out, model, step);
    }
    out.line(1, QStringLiteral("</Sequence>"));
    out.line(0, QStringLiteral("</QAV>"));
    return out.text();
}

Omissions omissionsOf(const std::function<bool(Form::Id)> &isChecked)
{
    Omissions omitted{};
    for (int step = 0; step < Form::StepCount; ++step)
        omitted[std::size_t(step)] = Form::isOptional(step) && !isChecked(Form::option(step, 1));
    return omitted;
}

QByteArray settingsBytes(const QString &directory)
{
    return Platform::encodeAnsi(directory) + "\r\n";
}

bool WriteMissionFile(const QString &path, const MissionModel &model, const Omissions &omissions,
                      WriteFailure *failure, QByteArray *version)
{
    QString error;
    if (!Platform::writeWhole(path, Platform::encodeAnsi(renderMission(model, omissions)), &error,
                              version)) {
        *failure = {WriteFailure::MissionFile, path, error};
        return false;
    }
    return true;
}

bool WriteSettingsFile(const QString &directory, WriteFailure *failure)
{
    QString error;
    const QString settings = QString::fromLatin1(SettingsFileName);
    if (!Platform::writeWhole(settings, settingsBytes(directory), &error)) {
        *failure = {WriteFailure::SettingsFile, settings, error};
        return false;
    }
    return true;
}
