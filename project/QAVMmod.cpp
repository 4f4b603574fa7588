// SPDX-License-Identifier: MIT

#include "QAVMmod.h"

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
        if (text[i] == u'\r' || text[i] == u'\n')
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

QString defaultDirectory() { return QStringLiteral("C:\\Orbiter\\QAV"); }

QString directoryFromSettings(QByteArrayView contents)
{
    if (contents.isEmpty())
        return defaultDirectory();
    qsizetype end = 0;
    while (end < contents.size() && contents[end] != '\r' && contents[end] != '\n')
        ++end;
    return Platform::decodeAnsi(contents.first(end));
}

QString readRememberedDirectory()
{
    QByteArray contents;
    QString error;
    if (!Platform::readWhole(QString::fromLatin1(SettingsFileName), &contents, &error))
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

    struct Var
    {
        const char *name;
        QString value; // with any prefix or unit the line adds
    };

    void step(const QString &label, const char *processor, std::initializer_list<Var> vars)
    {
        line(2, QStringLiteral("<Step>"));
        line(3, QStringLiteral("<Label>") + escapeMarkup(label) + QStringLiteral("</Label>"));
        line(3, QString::fromLatin1(processor));
        for (const Var &var : vars) {
            line(4,
                 QStringLiteral("<Var name=\"%1\"> ").arg(QLatin1StringView(var.name))
                         + escapeMarkup(var.value) + QStringLiteral(" </Var>"));
        }
        line(3, QStringLiteral("</Processor>"));
        line(2, QStringLiteral("</Step>"));
    }

    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace

QString renderMission(const MissionModel &m, const Omissions &omissions)
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

    const QString T = QStringLiteral("T = ");
    out.step(m.LLabel, R"(<Processor type="Launch" mode="Hover">)",
             {{"StartAt", T + m.LStartAt},
              {"WakeUp", QStringLiteral("T - ") + m.LWakeUp},
              {"Base", joinTexts(m.LBase, u":")},
              {"Heading", m.LHeading},
              {"HoverAt", m.LHoverAt},
              {"Thrust", m.LThrust},
              {"Orientation", joinTexts(m.LOrientation, u" ")},
              {"CompleteAt", m.LCompleteAt}});
    out.separator();
    out.step(m.AName, R"(<Processor type="Profile">)",
             {{"H", joinTexts(m.AHeight, u" ")},
              {"Pitch", joinTexts(m.APitch, u" ")},
              {"Thrust", joinTexts(m.AThrust, u" ")},
              {"AlignWith", m.AAlignWith},
              {"LockVz", m.ALockVz},
              {"CompleteAt", m.ACompleteAt}});

    auto optional = [&](OptionalStep step, auto write) {
        if (!isOmitted(omissions, step)) {
            out.separator();
            write();
        }
    };
    optional(OptionalStep::PlaneAlignment, [&] {
        out.step(m.PALabel, R"(<Processor type="AlignOrbit">)",
                 {{"Reference", m.PAReference}, {"Align", m.PAAlign}});
    });
    optional(OptionalStep::Synchronizing, [&] {
        out.step(m.SName, R"(<Processor type="SyncOrbit">)",
                 {{"Reference", m.SReference},
                  {"CaptureDist", m.SCapDist},
                  {"CompleteAt", m.SCompleteAt}});
    });
    optional(OptionalStep::Approach, [&] {
        out.step(m.AppName, R"(<Processor type="Approach">)",
                 {{"Reference", m.AppReference},
                  {"NAV", m.AppNav},
                  {"CompleteAt", m.AppCompleteAt}});
    });
    optional(OptionalStep::Docking, [&] {
        out.step(m.DName, R"(<Processor type="Docking" mode="Lock">)",
                 {{"Reference", m.DReference},
                  {"Port", m.DPort},
                  {"NAV", m.DNAV},
                  {"Cmds", joinTexts(m.DCmds, u",")}});
    });
    optional(OptionalStep::Undocking, [&] {
        out.step(m.ULabel, R"(<Processor type="Docking" mode="Release">)",
                 {{"StartAt", T + m.UStartAt},
                  {"Reference", m.UReference},
                  {"Port", m.UPort},
                  {"VRel", m.UVRel},
                  {"Cmds", QStringLiteral("K")}});
    });
    optional(OptionalStep::Reentry, [&] {
        out.step(m.RName, R"(<Processor type="Reentry">)",
                 {{"StartAt", T + m.RStartAt},
                  {"AOA", m.RAoa},
                  {"Base", m.RBase},
                  {"CompleteAt", QStringLiteral("H = ") + m.RCompleteAt + u'k'}});
    });
    optional(OptionalStep::Landing, [&] {
        out.step(m.LndName, R"(<Processor type="Landing" mode="Hover">)",
                 {{"Base", m.LndBase},
                  {"HoverPad", joinTexts(m.LndHoverPad, u" ")},
                  {"NAV", m.LndNAV}});
    });

    out.line(1, QStringLiteral("</Sequence>"));
    out.line(0, QStringLiteral("</QAV>"));
    return out.text();
}

QByteArray settingsBytes(const QString &directory)
{
    return Platform::encodeAnsi(directory) + "\r\n";
}

bool writeMission(const QString &path, const MissionModel &model, const Omissions &omissions,
                  WriteFailure *failure)
{
    QString error;
    if (!Platform::writeWhole(path, Platform::encodeAnsi(renderMission(model, omissions)),
                              &error)) {
        *failure = {WriteFailure::MissionFile, path, error};
        return false;
    }
    return true;
}

bool WriteMissionFile(const MissionModel &model, const Omissions &omissions,
                      const QString &directory, WriteFailure *failure)
{
    if (!writeMission(model.MissionPath, model, omissions, failure))
        return false;
    QString error;
    const QString settings = QString::fromLatin1(SettingsFileName);
    if (!Platform::writeWhole(settings, settingsBytes(directory), &error)) {
        *failure = {WriteFailure::SettingsFile, settings, error};
        return false;
    }
    return true;
}
