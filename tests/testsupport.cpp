// SPDX-License-Identifier: MIT

#include "testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

bool ScriptedLoadDialog::showOpen(QWidget *)
{
    ++shown;
    fileNameAtShow = fileName();
    if (answer.isEmpty())
        return false;
    setFileName(answer);
    return true;
}

Editor::Editor()
{
    auto errors = std::make_unique<RecordingErrorReport>();
    m_errors = errors.get();
    auto dialog = std::make_unique<ScriptedLoadDialog>();
    m_dialog = dialog.get();
    form = std::make_unique<frmMain>(model);
    window = std::make_unique<frmMainWindow>(*form, std::move(dialog), std::move(errors));
}

Editor::~Editor() = default;

QString Editor::filledText(const QString &name)
{
    if (name == "txtLLabel")
        return QString::fromUtf8("Caf\u00e9 Launch");
    return name.mid(3).remove('(').remove(')');
}

void Editor::fillEveryField() const
{
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        const QString name = box->objectName();
        if (name != "txtDirectory" && name != "txtFileName" && name != "txtMissionName")
            box->setText(filledText(name));
    }
    find<QCheckBox>("chkDCmdsK")->setChecked(true);
    find<QCheckBox>("chkDCmdsCC")->setChecked(true);
}

bool Editor::show() const
{
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

void Editor::makeMission() const { find<QPushButton>("cmdMakeMission")->click(); }

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(QAV_FIXTURES) + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", qPrintable(name));
    return file.readAll();
}

QLineEdit *Editor::box(const QString &name) const
{
    auto *box = find<QLineEdit>(name);
    if (!box)
        qFatal("no text box %s", qPrintable(name));
    return box;
}

QString Editor::caption(const QString &labelName) const
{
    auto *label = find<QLabel>(labelName);
    if (!label)
        qFatal("no label %s", qPrintable(labelName));
    return label->text();
}

WorkingDirectory::WorkingDirectory() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkingDirectory::~WorkingDirectory() { QDir::setCurrent(m_previous); }

void WorkingDirectory::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray WorkingDirectory::read(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString modelValue(const MissionModel &model, const QString &name)
{
    if (name == "MissionPath")
        return model.MissionPath;
    if (name == "MissionName")
        return model.MissionName;
    for (const Form::Control &control : Form::controls()) {
        if ((control.model && name == control.model) || (control.raw && name == control.raw))
            return model.joined(name, u"|");
    }
    qFatal("no model value %s", qPrintable(name));
}

namespace {

void removeAny(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
}

// Fills a file system with one file, then gives back `free` bytes of it.
bool fill(const QString &folder, qint64 free)
{
    const QByteArray path = QFile::encodeName(folder + "/filler");
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    qint64 size = 0;
    for (ssize_t n; (n = ::write(fd, block.constData(), std::size_t(block.size()))) > 0;)
        size += n;
    const bool full = errno == ENOSPC && ::ftruncate(fd, qMax<qint64>(0, size - free)) == 0;
    ::close(fd);
    return full;
}

} // namespace

Faults::~Faults()
{
    if (m_previousFileSizeLimit) {
        rlimit limit;
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(*m_previousFileSizeLimit);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    for (const QString &folder : std::as_const(m_readOnly))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QString &mount : std::as_const(m_mounts))
        run("umount", {mount});
}

bool Faults::apply(const QStringList &faults, QString *skip)
{
    for (const QString &fault : faults) {
        const QString kind = fault.section(':', 0, 0);
        const QString rest = fault.section(':', 1);
        const QString path = m_root + '/' + rest.section('=', 0, 0);
        const QString value = rest.section('=', 1);
        bool done = true;
        if (kind == "file") {
            removeAny(path);
            done = writeFile(path, value.toLatin1());
        } else if (kind == "folder") {
            removeAny(path);
            done = QDir().mkpath(path);
        } else if (kind == "fifo") {
            removeAny(path);
            done = ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
        } else if (kind == "link") {
            removeAny(path);
            done = QFile::link(value, path);
        } else if (kind == "hardlink") {
            removeAny(path);
            done = ::link(QFile::encodeName(m_root + '/' + value).constData(),
                          QFile::encodeName(path).constData())
                    == 0;
        } else if (kind == "sparse") {
            removeAny(path);
            QFile file(path);
            done = file.open(QIODevice::WriteOnly) && file.resize(value.toLongLong());
        } else if (kind == "readonly") {
            if (::geteuid() == 0) {
                *skip = "root writes into any folder";
                return false;
            }
            m_readOnly.append(path);
            done = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        } else if (kind == "full") {
            if (::geteuid() != 0) {
                *skip = "only root can mount a file system";
                return false;
            }
            // The older files stay in view: they are copied onto the new file system.
            QMap<QString, QByteArray> older;
            for (const QString &name : QDir(path).entryList(QDir::Files | QDir::Hidden)) {
                QFile file(path + '/' + name);
                done = done && file.open(QIODevice::ReadOnly);
                older.insert(name, file.readAll());
            }
            done = done && run("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", path});
            if (done)
                m_mounts.prepend(path);
            for (auto it = older.cbegin(); done && it != older.cend(); ++it)
                done = writeFile(path + '/' + it.key(), it.value());
            done = done && fill(path, value.toLongLong());
        } else if (kind == "fsize") {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit;
            done = ::getrlimit(RLIMIT_FSIZE, &limit) == 0;
            m_previousFileSizeLimit = quint64(limit.rlim_cur);
            limit.rlim_cur = rlim_t(value.isEmpty() ? rest.toLongLong() : value.toLongLong());
            done = done && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        } else {
            qFatal("no fault %s", qPrintable(fault));
        }
        if (!done)
            qFatal("could not make the fault %s", qPrintable(fault));
    }
    return true;
}

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = QDir(folder).relativeFilePath(path);
        if (info.isSymLink()) {
            entries.insert(name, "link to " + QFile::encodeName(info.symLinkTarget()));
        } else if (info.isDir()) {
            entries.insert(name, "folder");
        } else if (!info.isFile()) {
            entries.insert(name, "special");
        } else if (info.size() > 1024 * 1024) {
            entries.insert(name, "size " + QByteArray::number(info.size()));
        } else {
            QFile file(path);
            entries.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
        }
    }
    return entries;
}

QStringList changes(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    QStringList changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key(), "<none>") != it.value())
            changed.append(it.key());
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            changed.append(it.key());
    }
    changed.sort();
    return changed;
}
