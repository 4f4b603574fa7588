// SPDX-License-Identifier: MIT

#include "testsupport.h"

#include <QDirIterator>
#include <QTest>

#include "ansitext.h"

namespace {

bool isButton(Form::Id id)
{
    return id.control().kind == Form::Kind::CheckBox
            || id.control().kind == Form::Kind::OptionButton;
}

} // namespace

Form::Id Core::id(const QString &name)
{
    const std::optional<Form::Id> id = Form::find(name);
    if (!id)
        qFatal("no control %s", qPrintable(name));
    return *id;
}

void Core::edit(const QStringList &edits)
{
    for (const QString &edit : edits) {
        const QString name = edit.section(u'=', 0, 0), text = edit.section(u'=', 1);
        QString error;
        if (name == u"load") {
            QVERIFY2(form.loadProjectFile(QDir::current().absoluteFilePath(text), &error),
                     qPrintable(error));
        } else if (name == u"fill") {
            for (int row = 0; row < Form::RowCount; ++row) {
                const Form::Control &control = Form::Table::Controls[row];
                const QString box = Form::objectName(control);
                if (control.kind == Form::Kind::CheckBox)
                    form.setChecked({row}, true);
                if (control.kind == Form::Kind::TextBox && control.tab != Form::MakeFileTab)
                    form.setText({row},
                                 box == u"txtLLabel" ? QStringLiteral("Caf\u00e9 Launch")
                                                     : box.mid(3).remove(u'(').remove(u')'));
            }
        } else if (name == u"omit") {
            for (int step = 0; step < Form::StepCount; ++step) {
                if (Form::isOptional(step))
                    form.setChecked(Form::option(step, 0), true);
            }
        } else {
            isButton(id(name)) ? form.setChecked(id(name), text == u"1")
                               : form.setText(id(name), text);
        }
    }
}

QString Core::value(const QString &name) const
{
    if (const std::optional<Form::Id> control = Form::find(name))
        return isButton(*control) ? QString::number(form.isChecked(*control)) : form.text(*control);
    if (name == u"MissionPath" || name == u"MissionName")
        return name == u"MissionPath" ? model.MissionPath : model.MissionName;
    // "model:txtAHeight" and "typed:txtAHeight": the model values of a field's elements.
    const QString part = name.section(u':', 0, 0);
    const QString fieldName = name.section(u':', 1);
    std::optional<Form::Id> field = Form::find(fieldName);
    if (!field)
        field = Form::find(fieldName + QStringLiteral("(0)"));
    if (!field || (part != u"model" && part != u"typed"))
        qFatal("no model value %s", qPrintable(name));
    QStringList parts;
    for (const Form::Id element : Form::elements(*field))
        parts << (part == u"model" ? model.values[element] : model.typed[element]);
    return parts.join(u'|');
}

QStringList Core::values(const QStringList &names) const
{
    QStringList values;
    for (const QString &name : names)
        values << name.section(u'=', 0, 0) + u'=' + value(name.section(u'=', 0, 0));
    return values;
}

QStringList Core::state() const
{
    QStringList state{model.MissionPath, model.MissionName};
    for (int row = 0; row < Form::RowCount; ++row) {
        state << form.text({row}) + u'|' + QString::number(form.isChecked({row})) + u'|'
                        + model.values[Form::Id{row}] + u'|' + model.typed[Form::Id{row}];
    }
    return state;
}

QByteArray Core::missionBytes(const MissionModel &model, const Omissions &omitted)
{
    return Platform::encodeAnsi(renderMission(model, omitted));
}

void WorkingDirectory::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray WorkingDirectory::read(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

namespace {

void setVariable(const char *name, const std::optional<QByteArray> &value)
{
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

} // namespace

Environment::Environment(const QList<std::pair<const char *, std::optional<QString>>> &values)
{
    for (const auto &[name, value] : values) {
        m_previous.append(
                {name,
                 qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        setVariable(name, value ? std::optional(QFile::encodeName(*value)) : std::nullopt);
    }
}

Environment::~Environment()
{
    for (auto previous = m_previous.crbegin(); previous != m_previous.crend(); ++previous)
        setVariable(previous->first, previous->second);
}

Faults::Faults(const QString &root, const QStringList &faults)
{
    for (const QString &fault : faults) {
        const QString kind = fault.section(':', 0, 0), rest = fault.section(':', 1);
        const QString path = root + '/' + rest.section('=', 0, 0), value = rest.section('=', 1);
        bool done = true;
        if (kind == "file" || kind == "folder" || kind == "sparse") {
            // What takes the place of an older entry removes it first.
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
            QFile file(path);
            if (kind == "folder")
                done = QDir().mkpath(path);
            else if (kind == "file")
                done = file.open(QIODevice::WriteOnly)
                        && file.write(value.toLatin1()) == value.size();
            else
                done = file.open(QIODevice::WriteOnly) && file.resize(value.toLongLong());
        } else {
            done = makeSystemFault(kind, path, value, root, rest);
        }
        if (!m_skipped.isEmpty())
            return;
        if (!done)
            qFatal("could not make the fault %s", qPrintable(fault));
    }
}

Faults::~Faults()
{
    for (auto undo = m_undo.rbegin(); undo != m_undo.rend(); ++undo)
        (*undo)();
}

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QFile file(path);
        entries.insert(QDir(folder).relativeFilePath(path),
                       info.isSymLink()       ? "link to " + QFile::encodeName(info.symLinkTarget())
                               : info.isDir() ? "folder"
                               : !info.isFile() ? "special"
                               : info.size() > 1024 * 1024
                               ? "size " + QByteArray::number(info.size())
                               : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                : "unreadable");
    }
    return entries;
}

QStringList changes(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    QStringList paths = before.keys() + after.keys(), changed;
    paths.removeDuplicates();
    for (const QString &path : std::as_const(paths)) {
        if (before.value(path, "<none>") != after.value(path, "<none>"))
            changed.append(path);
    }
    changed.sort();
    return changed;
}

Run finished(QProcess &process)
{
    if (!process.waitForFinished(60000))
        qFatal("%s did not finish", qPrintable(process.program()));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QString nativePaths(const QString &text) { return QDir::toNativeSeparators(text); }

void writeInstallation(const QString &root, const QByteArray &lineEnd, bool utf8)
{
    const QDir tree(fixturePath(QStringLiteral("orbiter")));
    QDirIterator files(tree.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile from(files.next());
        QVERIFY(from.open(QIODevice::ReadOnly));
        const QString text =
                QString::fromUtf8(from.readAll()).replace(u'\n', QString::fromLatin1(lineEnd));
        QFile to(root + u'/' + tree.relativeFilePath(from.fileName()));
        QVERIFY(QDir().mkpath(QFileInfo(to).path()) && to.open(QIODevice::WriteOnly));
        to.write(utf8 ? text.toUtf8() : text.toLatin1());
    }
}

QString fixturePath(const QString &name) { return QStringLiteral(QAV_FIXTURES "/") + name; }

QByteArray fixture(const QString &name)
{
    QFile file(fixturePath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", qPrintable(name));
    return file.readAll();
}

QByteArray utf16(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text)
        bytes += char(c.unicode() & 0xFF), bytes += char(c.unicode() >> 8);
    return bytes;
}
