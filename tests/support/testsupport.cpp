// SPDX-License-Identifier: MIT

#include "testsupport.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <clocale>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

Faults::Faults(const QString &root, const QStringList &faults)
{
    // The shell commands that make a fault at the path $1 from the value $2, in the folder
    // $3. What takes the place of an older entry removes it first. A full file system gets
    // the older files copied onto it, then a file that fills it but for $2 bytes.
    static const QHash<QString, QString> commands{
            {"folder", "rm -rf \"$1\" && mkdir -p \"$1\""},
            {"fifo", "rm -rf \"$1\" && mkfifo \"$1\""},
            {"link", "rm -rf \"$1\" && ln -s \"$2\" \"$1\""},
            {"hardlink", "rm -rf \"$1\" && ln \"$3/$2\" \"$1\""},
            {"sparse", "rm -rf \"$1\" && truncate -s \"$2\" \"$1\""},
            {"readonly", "chmod a-w \"$1\""},
            {"locked", "chmod a-r \"$1\""},
            {"full",
             "o=$(mktemp -d) && cp -a \"$1/.\" \"$o\" && mount -t tmpfs -o size=64k tmpfs "
             "\"$1\" && cp -a \"$o/.\" \"$1\" && rm -rf \"$o\" && { dd if=/dev/zero "
             "of=\"$1/filler\" bs=4k 2>/dev/null; truncate -s \"-${2:-0}\" \"$1/filler\"; }"},
    };
    for (const QString &fault : faults) {
        const QString kind = fault.section(':', 0, 0), rest = fault.section(':', 1);
        const QString path = root + '/' + rest.section('=', 0, 0), value = rest.section('=', 1);
        if ((kind == "readonly" || kind == "locked") && ::geteuid() == 0)
            m_skipped = "root reads and writes every file";
        if (kind == "full" && ::geteuid() != 0)
            m_skipped = "only root can mount a file system";
        if (!m_skipped.isEmpty())
            return;
        bool done = true;
        if (kind == "locale") {
            done = useLocale(rest);
        } else if (kind == "file") {
            QProcess::execute("rm", {"-rf", path});
            QFile file(path);
            done = file.open(QIODevice::WriteOnly) && file.write(value.toLatin1()) == value.size();
        } else if (kind == "fsize") {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit;
            done = ::getrlimit(RLIMIT_FSIZE, &limit) == 0;
            m_previousFileSizeLimit = quint64(limit.rlim_cur);
            limit.rlim_cur = rlim_t(rest.toLongLong());
            done = done && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        } else if (commands.contains(kind)) {
            done = QProcess::execute("sh", {"-c", commands[kind], "sh", path, value, root}) == 0;
            if (kind == "full")
                m_mounts.prepend(path);
            else if (kind == "readonly" || kind == "locked")
                m_locked.append(path);
        } else {
            qFatal("no fault %s", qPrintable(fault));
        }
        if (!done)
            qFatal("could not make the fault %s", qPrintable(fault));
    }
}

// Compiles the locale once for the whole test run and makes it this process's and its
// children's, as LC_ALL in a shell would.
bool Faults::useLocale(const QString &name)
{
    static QTemporaryDir compiled;
    const QString language = name.section('.', 0, 0), codeset = name.section('.', 1);
    if (!QFileInfo::exists(compiled.filePath(name))
        && QProcess::execute("localedef", {"-i", language, "-f", codeset, compiled.filePath(name)})
                != 0)
        return false;
    if (!m_previousLocale) {
        m_previousLocale.emplace();
        for (const char *variable : {"LOCPATH", "LC_ALL"}) {
            m_previousLocale->append({variable,
                                      qEnvironmentVariableIsSet(variable)
                                              ? std::optional(qgetenv(variable))
                                              : std::nullopt});
        }
    }
    qputenv("LOCPATH", QFile::encodeName(compiled.path()));
    qputenv("LC_ALL", name.toLatin1());
    return std::setlocale(LC_ALL, "") != nullptr;
}

Faults::~Faults()
{
    if (m_previousLocale) {
        for (const auto &[variable, value] : std::as_const(*m_previousLocale)) {
            if (value)
                qputenv(variable.constData(), *value);
            else
                qunsetenv(variable.constData());
        }
        std::setlocale(LC_ALL, "");
    }
    if (m_previousFileSizeLimit) {
        rlimit limit;
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(*m_previousFileSizeLimit);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    for (const QString &mount : std::as_const(m_mounts))
        QProcess::execute("umount", {mount});
    for (const QString &path : std::as_const(m_locked))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

namespace {

int shellStatus(int status)
{
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

bool holdsOpen(pid_t process, const QByteArray &name)
{
    const QString fds = QStringLiteral("/proc/%1/fd").arg(process);
    for (const QString &fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[8192];
        const ssize_t n =
                ::readlink(QFile::encodeName(fds + '/' + fd).constData(), target, sizeof target);
        if (n > 0 && QByteArrayView(target, n).endsWith('/' + name))
            return true;
    }
    return false;
}

} // namespace

Interruption interruptWrite(const std::function<void()> &work, const QStringList &folders,
                            int signal, int nth)
{
    Interruption result;
    const int watch = ::inotify_init1(IN_CLOEXEC);
    if (watch < 0)
        return result;
    for (const QString &folder : folders)
        ::inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_CREATE);
    const pid_t child = ::fork();
    if (child == 0) {
        for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ})
            std::signal(number, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        work();
        ::_exit(0);
    }
    int status = 0, seen = 0;
    bool ended = false;
    while (!ended && result.during == 0) {
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 50) <= 0) {
            ended = ::waitpid(child, &status, WNOHANG) == child;
            continue;
        }
        alignas(inotify_event) char events[64 * 1024];
        const ssize_t n = ::read(watch, events, sizeof events);
        for (ssize_t at = 0; at < n && !ended && result.during == 0;) {
            inotify_event event;
            std::memcpy(&event, events + at, sizeof event);
            const QByteArray name(events + at + sizeof event);
            at += qsizetype(sizeof event + event.len);
            if (!name.startsWith(".qav-") || !name.endsWith(".tmp") || ++seen < nth)
                continue;
            ::kill(child, SIGSTOP);
            if (::waitpid(child, &status, WUNTRACED) == child && !WIFSTOPPED(status)) {
                ended = true;
                break;
            }
            if (holdsOpen(child, name)) {
                ::kill(child, signal);
                result.during = seen;
            }
            ::kill(child, SIGCONT);
        }
    }
    ::close(watch);
    if (!ended)
        ::waitpid(child, &status, 0);
    result.status = shellStatus(status);
    return result;
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
