// SPDX-License-Identifier: MIT

#include <QProcess>

#include <clocale>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "testsupport.h"

bool Faults::makeSystemFault(const QString &kind, const QString &path, const QString &value,
                             const QString &root, const QString &rest)
{
    // The shell commands that make a fault at the path $1 from the value $2, in the folder
    // $3. What takes the place of an older entry removes it first. A full file system gets
    // the older files copied onto it, then a file that fills it but for $2 bytes.
    static const QHash<QString, QString> commands{
            {"fifo", "rm -rf \"$1\" && mkfifo \"$1\""},
            {"link", "rm -rf \"$1\" && ln -s \"$2\" \"$1\""},
            {"hardlink", "rm -rf \"$1\" && ln \"$3/$2\" \"$1\""},
            {"readonly", "chmod a-w \"$1\""},
            {"locked", "chmod a-r \"$1\""},
            {"full",
             "o=$(mktemp -d) && cp -a \"$1/.\" \"$o\" && mount -t tmpfs -o size=64k tmpfs "
             "\"$1\" && cp -a \"$o/.\" \"$1\" && rm -rf \"$o\" && { dd if=/dev/zero "
             "of=\"$1/filler\" bs=4k 2>/dev/null; truncate -s \"-${2:-0}\" \"$1/filler\"; }"},
    };
    if ((kind == "readonly" || kind == "locked") && ::geteuid() == 0)
        m_skipped = "root reads and writes every file";
    if (kind == "full" && ::geteuid() != 0)
        m_skipped = "only root can mount a file system";
    if (!m_skipped.isEmpty())
        return false;
    if (kind == "locale")
        return useLocale(rest);
    if (kind == "fsize") {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
            return false;
        const rlim_t previous = limit.rlim_cur;
        m_undo.push_back([previous] {
            rlimit restored;
            ::getrlimit(RLIMIT_FSIZE, &restored);
            restored.rlim_cur = previous;
            ::setrlimit(RLIMIT_FSIZE, &restored);
        });
        limit.rlim_cur = rlim_t(rest.toLongLong());
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    if (!commands.contains(kind))
        qFatal("no fault %s", qPrintable(kind));
    const bool done = QProcess::execute("sh", {"-c", commands[kind], "sh", path, value, root}) == 0;
    if (kind == "full")
        m_undo.push_back([path] { QProcess::execute("umount", {path}); });
    else if (kind == "readonly" || kind == "locked")
        m_undo.push_back([path] {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
    return done;
}

QString systemReason(const QString &posix, unsigned long) { return posix; }

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
    auto locale =
            std::make_shared<Environment>(QList<std::pair<const char *, std::optional<QString>>>{
                    {"LOCPATH", compiled.path()}, {"LC_ALL", name}});
    m_undo.push_back([locale]() mutable {
        locale.reset();
        std::setlocale(LC_ALL, "");
    });
    return std::setlocale(LC_ALL, "") != nullptr;
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
