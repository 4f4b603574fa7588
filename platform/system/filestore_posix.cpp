// SPDX-License-Identifier: MIT

#include "filestore.h"

#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <cwchar>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include "filestore_shared.h"
#include "pathrules.h"
#include "wineprefix.h"

namespace Platform {

namespace {

// The system's descriptions come in the locale's encoding, which Qt takes for UTF-8 whatever
// the locale says; the C library knows the encoding it wrote them in.
QString fromLocaleEncoding(const char *text)
{
    const std::size_t size = std::strlen(text);
    std::mbstate_t state{};
    std::wstring wide;
    for (std::size_t at = 0; at < size;) {
        wchar_t c = 0;
        const std::size_t n = std::mbrtowc(&c, text + at, size - at, &state);
        if (n == std::size_t(-1) || n == std::size_t(-2)) {
            wide += wchar_t(QChar::ReplacementCharacter);
            state = {};
            ++at;
            continue;
        }
        wide += c;
        at += n == 0 ? 1 : n;
    }
    return QString::fromStdWString(wide);
}

// What a file that is not a regular file is, in the system's style of wording.
QString notRegularReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return systemDescription(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("Not a regular file (a named pipe)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("Not a regular file (a device)");
    if (S_ISSOCK(mode))
        return QStringLiteral("Not a regular file (a socket)");
    return QStringLiteral("Not a regular file");
}

FileError systemError(int number)
{
    const bool missing = number == ENOENT || number == ENOTDIR;
    return {missing ? FileError::Missing : FileError::System, systemDescription(number)};
}

// The name as the system takes it; a NUL would silently cut it short.
bool nativeName(const QString &path, QByteArray *native, QString *error)
{
    if (path.isEmpty()) {
        *error = systemDescription(ENOENT);
        return false;
    }
    if (path.contains(QChar(0))) {
        *error = QStringLiteral("The name holds a NUL character");
        return false;
    }
    // A drive path from Windows leads into the Wine prefix, where the simulator is.
    QString mapped;
    if (isDrivePath(path) && !mapDrivePath(path, &mapped, error))
        return false;
    *native = encodeFileName(mapped.isEmpty() ? path : mapped);
    return true;
}

class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now, so that a failure to close can be reported.
    int release()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

bool readFrom(const QString &path, qint64 limit, bool wholeFile, QByteArray *bytes,
              FileError *error)
{
    QByteArray native;
    if (!nativeName(path, &native, &error->reason)) {
        error->kind = FileError::System;
        return false;
    }
    // Opening a device may act on it (a tape rewinds, a watchdog starts), so what is not a
    // regular file is refused unopened; the check after opening covers a file replaced in
    // between. Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    struct stat info;
    if (::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        *error = {FileError::NotRegular, notRegularReason(info.st_mode)};
        return false;
    }
    const Descriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        *error = systemError(errno);
        return false;
    }
    if (::fstat(fd.get(), &info) != 0) {
        *error = systemError(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = {FileError::NotRegular, notRegularReason(info.st_mode)};
        return false;
    }
    const auto readSome = [&fd](char *buffer, qint64 room, FileError *failure) -> qint64 {
        for (;;) {
            const ssize_t n = ::read(fd.get(), buffer, std::size_t(room));
            if (n >= 0 || errno != EINTR) {
                if (n < 0)
                    *failure = systemError(errno);
                return n;
            }
        }
    };
    return Detail::readBounded(info.st_size, limit, wholeFile, readSome, bytes, error);
}

QByteArray identityOf(const struct stat &info)
{
    return QByteArray::number(quint64(info.st_dev)) + ':'
            + QByteArray::number(quint64(info.st_ino));
}

QByteArray versionOf(const struct stat &info)
{
    return identityOf(info) + ':' + QByteArray::number(qint64(info.st_mtim.tv_sec)) + '.'
            + QByteArray::number(qint64(info.st_mtim.tv_nsec)) + ':'
            + QByteArray::number(qint64(info.st_size));
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Follows symbolic links to the name of the file a write must replace.
bool resolveLinks(QByteArray *path, QString *error)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (::lstat(path->constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;
        QByteArray target(qsizetype(info.st_size > 0 ? info.st_size : 4096), Qt::Uninitialized);
        const ssize_t n = ::readlink(path->constData(), target.data(), std::size_t(target.size()));
        if (n < 0) {
            *error = systemDescription(errno);
            return false;
        }
        target.truncate(n);
        *path = target.startsWith('/') ? target : folderOf(*path) + '/' + target;
    }
    *error = systemDescription(ELOOP);
    return false;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    return Detail::writeAll(bytes, [fd](const char *data, qint64 size) -> qint64 {
        for (;;) {
            const ssize_t n = ::write(fd, data, std::size_t(size));
            if (n >= 0 || errno != EINTR)
                return n;
        }
    });
}

// The temporary file of the write in progress, for the handler of the signals that end the
// program.
Detail::PendingTemporary<char, 8192> pendingTemporary;

void publishTemporary(const QByteArray &name)
{
    pendingTemporary.publish(name.constData(), std::size_t(name.size()));
}

void withdrawTemporary() { pendingTemporary.withdraw(); }

// Installed with SA_RESETHAND, so the signal raised again ends the program as it would have
// without the handler, and the shell sees the signal.
extern "C" void removeTemporaryAndEnd(int number)
{
    const int saved = errno;
    if (const char *name = pendingTemporary.name())
        ::unlink(name);
    ::raise(number);
    sigset_t raised;
    sigemptyset(&raised);
    sigaddset(&raised, number);
    ::pthread_sigmask(SIG_UNBLOCK, &raised, nullptr);
    errno = saved;
}

// A fresh file beside the target. Its name is short whatever the target's, so that a name
// near the system's limit can be written as often as it was written once.
int createTemporary(const QByteArray &folder, QByteArray *name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 tag = QRandomGenerator::global()->generate();
        *name = folder + "/.qav-" + QByteArray::number(tag, 16).rightJustified(8, '0') + ".tmp";
        publishTemporary(*name);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        const int failure = errno;
        withdrawTemporary();
        if (failure != EEXIST) {
            errno = failure;
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

} // namespace

QString systemDescription(int number) { return fromLocaleEncoding(std::strerror(number)); }

bool readRegularFile(const QString &path, qint64 limit, QByteArray *bytes, FileError *error)
{
    return readFrom(path, limit, true, bytes, error);
}

bool readFileStart(const QString &path, qint64 limit, QByteArray *bytes, FileError *error)
{
    return readFrom(path, limit, false, bytes, error);
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error, QByteArray *version)
{
    QByteArray target;
    if (!nativeName(path, &target, error) || !resolveLinks(&target, error))
        return false;
    struct stat info;
    const bool exists = ::stat(target.constData(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        *error = notRegularReason(info.st_mode);
        return false;
    }
    if (!exists && errno != ENOENT) {
        *error = systemDescription(errno);
        return false;
    }
    // Replacing a file its owner made read-only would go round what the mode says.
    if (exists && ::access(target.constData(), W_OK) != 0) {
        *error = systemDescription(errno);
        return false;
    }

    QByteArray temporary;
    Descriptor fd(createTemporary(folderOf(target), &temporary));
    if (fd.get() < 0) {
        *error = systemDescription(errno);
        return false;
    }
    // The replacement keeps the older file's owner where the system lets it (as root), and
    // its mode.
    if (exists)
        (void)!::fchown(fd.get(), info.st_uid, info.st_gid);
    struct stat made;
    const bool written = writeAll(fd.get(), bytes)
            && (!exists || ::fchmod(fd.get(), info.st_mode & 07777) == 0) && ::fsync(fd.get()) == 0
            && ::fstat(fd.get(), &made) == 0 && fd.release() == 0
            && ::rename(temporary.constData(), target.constData()) == 0;
    if (!written) {
        *error = systemDescription(errno);
        ::unlink(temporary.constData());
        withdrawTemporary();
        return false;
    }
    withdrawTemporary();
    if (version)
        *version = versionOf(made);
    return true;
}

bool listFolder(const QString &path, int limit, QList<FolderEntry> *entries, bool *more,
                FileError *error)
{
    entries->clear();
    *more = false;
    QByteArray native;
    if (!nativeName(path, &native, &error->reason)) {
        error->kind = FileError::System;
        return false;
    }
    const int fd =
            ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *error = errno == ENOTDIR ? FileError{FileError::NotRegular, systemDescription(ENOTDIR)}
                                  : systemError(errno);
        return false;
    }
    DIR *folder = ::fdopendir(fd);
    if (folder == nullptr) {
        *error = systemError(errno);
        ::close(fd);
        return false;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(folder);
        if (entry == nullptr) {
            if (errno != 0)
                *error = systemError(errno);
            break;
        }
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        if (entries->size() >= limit) {
            *more = true;
            break;
        }
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            isFolder = ::fstatat(fd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        entries->append({decodeFileName(entry->d_name), isFolder});
    }
    const bool failed = error->kind != FileError::None;
    ::closedir(folder);
    return !failed;
}

bool pathExists(const QString &path)
{
    QByteArray native;
    QString error;
    struct stat info;
    return nativeName(path, &native, &error) && ::lstat(native.constData(), &info) == 0;
}

bool makeFolders(const QString &path, QString *error)
{
    QByteArray native;
    if (!nativeName(path, &native, error))
        return false;
    for (qsizetype end = 0; end >= 0;) {
        end = native.indexOf('/', end + 1);
        const QByteArray part = end < 0 ? native : native.left(end);
        if (part.isEmpty() || ::mkdir(part.constData(), 0777) == 0 || errno == EEXIST)
            continue;
        *error = systemDescription(errno);
        return false;
    }
    struct stat info;
    if (::stat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *error = systemDescription(ENOTDIR);
        return false;
    }
    return true;
}

bool folderPossible(const QString &path, QString *error)
{
    QByteArray native;
    if (!nativeName(path, &native, error))
        return false;
    struct stat info;
    if (::lstat(native.constData(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        *error = systemDescription(errno);
        return false;
    }
    // A link to nothing stands in the way as a file does: the folder cannot be made there.
    if (::stat(native.constData(), &info) != 0) {
        *error = systemDescription(errno == ENOENT ? ENOTDIR : errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *error = systemDescription(ENOTDIR);
        return false;
    }
    return true;
}

QByteArray fileIdentity(const QString &path)
{
    QByteArray native;
    QString error;
    if (!nativeName(path, &native, &error) || !resolveLinks(&native, &error))
        return {};
    struct stat info;
    if (::stat(native.constData(), &info) == 0)
        return identityOf(info);
    // A file not there yet: where it would be.
    return placeIdentity(path);
}

QByteArray placeIdentity(const QString &path)
{
    QByteArray native;
    QString error;
    struct stat info;
    if (!nativeName(path, &native, &error) || !resolveLinks(&native, &error)
        || ::stat(folderOf(native).constData(), &info) != 0)
        return {};
    return identityOf(info) + '/' + native.mid(native.lastIndexOf('/') + 1);
}

QByteArray fileVersion(const QString &path)
{
    QByteArray native;
    QString error;
    struct stat info;
    if (!nativeName(path, &native, &error) || ::stat(native.constData(), &info) != 0)
        return {};
    return versionOf(info);
}

void prepareProcess()
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start (nohup, a background job) stays ignored.
        struct sigaction previous;
        if (::sigaction(number, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = removeTemporaryAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(number, &action, nullptr);
    }
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int fd = ::open("/dev/null", O_RDONLY);
        if (fd >= 0 && fd != stream) {
            ::dup2(fd, stream);
            ::close(fd);
        }
    }
}

} // namespace Platform
