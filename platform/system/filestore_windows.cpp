// SPDX-License-Identifier: MIT

#include "filestore.h"
#include "filestore_shared.h"

#include <windows.h>

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

namespace {

// The system's message for an error code, in the user's language, as one line without the
// closing full stop, so that it reads in a message as the other systems' reasons do.
QString windowsMessage(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD n =
            ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                     | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = n > 0 ? QString::fromWCharArray(text, int(n)).simplified() : QString();
    ::LocalFree(text);
    if (message.endsWith(u'.'))
        message.chop(1);
    return message.isEmpty() ? QStringLiteral("Error %1").arg(code) : message;
}

FileError systemError(DWORD code)
{
    const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
            || code == ERROR_BAD_NETPATH || code == ERROR_BAD_NET_NAME;
    return {missing ? FileError::Missing : FileError::System, windowsMessage(code)};
}

QString lastError() { return windowsMessage(::GetLastError()); }

const QString &deviceReason()
{
    static const QString reason = QStringLiteral("Not a regular file (a device)");
    return reason;
}

bool startsWith(const std::wstring &text, const wchar_t *start)
{
    return text.compare(0, std::wcslen(start), start) == 0;
}

// The name as the system takes it: whole, in the long form that lifts the limit of MAX_PATH
// characters. A name the system keeps for a device comes back as "\\.\NAME".
bool nativeName(const QString &path, std::wstring *native, QString *error)
{
    if (path.isEmpty()) {
        *error = windowsMessage(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (path.contains(QChar(0))) {
        *error = QStringLiteral("The name holds a NUL character");
        return false;
    }
    const std::wstring wide = path.toStdWString();
    DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    size = size == 0 ? 0 : ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (size == 0 || size >= full.size()) {
        *error = lastError();
        return false;
    }
    full.resize(size);
    // "\\.\C:\..." is a file on a drive, as "\\?\C:\..." is; only other names after "\\.\"
    // are devices.
    const bool driveAfterDot =
            startsWith(full, L"\\\\.\\") && full.size() >= 7 && full[5] == L':' && full[6] == L'\\';
    if (driveAfterDot)
        *native = L"\\\\?\\" + full.substr(4);
    else if (startsWith(full, L"\\\\.\\") || startsWith(full, L"\\\\?\\"))
        *native = full;
    else if (startsWith(full, L"\\\\"))
        *native = L"\\\\?\\UNC\\" + full.substr(2);
    else
        *native = L"\\\\?\\" + full;
    return true;
}

// A device or a named pipe, which even opening to ask what it is would reach: the pipe's
// server would take it for a client.
bool isDevice(const std::wstring &native)
{
    return startsWith(native, L"\\\\.\\") || startsWith(native, L"\\\\?\\GLOBALROOT\\")
            || startsWith(native, L"\\\\?\\pipe\\");
}

QString deviceReason(const std::wstring &native)
{
    QString name = QString::fromStdWString(native).toLower();
    const bool pipe = name.startsWith(uR"(\\.\pipe\)") || name.startsWith(uR"(\\?\pipe\)")
            || name.contains(uR"(\device\namedpipe\)");
    return pipe ? QStringLiteral("Not a regular file (a named pipe)") : deviceReason();
}

class Handle
{
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) { }
    ~Handle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Closes now, so that a failure to close can be reported.
    bool release()
    {
        const bool closed = ::CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

// Opens for reading what the name leads to, a folder included, without keeping others from
// reading, writing or replacing it.
HANDLE openToRead(const std::wstring &native, DWORD access)
{
    return ::CreateFileW(native.c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What a handle that is not of a regular file is, or an empty text for a regular file.
QString notRegularReason(HANDLE handle, const BY_HANDLE_FILE_INFORMATION *info)
{
    switch (::GetFileType(handle)) {
    case FILE_TYPE_DISK: break;
    case FILE_TYPE_PIPE: return QStringLiteral("Not a regular file (a named pipe)");
    default: return deviceReason();
    }
    if (info != nullptr && (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return systemDescription(EISDIR);
    return {};
}

// The native name of something to read, refused unopened where it is a device or a pipe.
bool nativeFileName(const QString &path, std::wstring *native, FileError *error)
{
    if (!nativeName(path, native, &error->reason)) {
        error->kind = FileError::System;
        return false;
    }
    if (isDevice(*native)) {
        *error = {FileError::NotRegular, deviceReason(*native)};
        return false;
    }
    return true;
}

bool readFrom(const QString &path, qint64 limit, bool wholeFile, QByteArray *bytes,
              FileError *error)
{
    std::wstring native;
    if (!nativeFileName(path, &native, error))
        return false;
    const Handle file(openToRead(native, GENERIC_READ));
    if (!file.valid()) {
        *error = systemError(::GetLastError());
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.get()) == FILE_TYPE_DISK
        && !::GetFileInformationByHandle(file.get(), &info)) {
        *error = systemError(::GetLastError());
        return false;
    }
    if (const QString reason = notRegularReason(file.get(), &info); !reason.isEmpty()) {
        *error = {FileError::NotRegular, reason};
        return false;
    }
    const auto readSome = [&file](char *buffer, qint64 room, FileError *failure) -> qint64 {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, DWORD(qMin<qint64>(room, 1 << 30)), &got, nullptr)) {
            *failure = systemError(::GetLastError());
            return -1;
        }
        return got;
    };
    const qint64 size = qint64(quint64(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    return Detail::readBounded(size, limit, wholeFile, readSome, bytes, error);
}

QByteArray identityOf(const BY_HANDLE_FILE_INFORMATION &info)
{
    return QByteArray::number(quint64(info.dwVolumeSerialNumber)) + ':'
            + QByteArray::number(quint64(info.nFileIndexHigh) << 32 | info.nFileIndexLow);
}

QByteArray versionOf(const BY_HANDLE_FILE_INFORMATION &info)
{
    const quint64 written =
            quint64(info.ftLastWriteTime.dwHighDateTime) << 32 | info.ftLastWriteTime.dwLowDateTime;
    const quint64 size = quint64(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    return identityOf(info) + ':' + QByteArray::number(written) + ':' + QByteArray::number(size);
}

bool informationOf(const std::wstring &native, BY_HANDLE_FILE_INFORMATION *info)
{
    if (isDevice(native))
        return false;
    const Handle handle(openToRead(native, 0));
    return handle.valid() && ::GetFileType(handle.get()) == FILE_TYPE_DISK
            && ::GetFileInformationByHandle(handle.get(), info);
}

std::wstring folderOf(const std::wstring &native) { return native.substr(0, native.rfind(L'\\')); }

// The name of the file a write must replace: through a symbolic link, the file it names.
std::wstring finalName(const std::wstring &native)
{
    if (isDevice(native))
        return native;
    const Handle handle(openToRead(native, 0));
    if (!handle.valid())
        return native;
    std::wstring final(32768, L'\0');
    const DWORD size = ::GetFinalPathNameByHandleW(handle.get(), final.data(), DWORD(final.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (size == 0 || size >= final.size())
        return native;
    final.resize(size);
    return final;
}

bool writeAll(HANDLE file, const QByteArray &bytes)
{
    return Detail::writeAll(bytes, [file](const char *data, qint64 size) -> qint64 {
        DWORD put = 0;
        if (!::WriteFile(file, data, DWORD(qMin<qint64>(size, 1 << 30)), &put, nullptr))
            return -1;
        return qint64(put);
    });
}

// The temporary file of the write in progress, for the handler of Ctrl+C and of the console
// closing, which the system runs in a thread of its own.
Detail::PendingTemporary<wchar_t, 32768> pendingTemporary;

void publishTemporary(const std::wstring &name)
{
    pendingTemporary.publish(name.c_str(), name.size());
}

void withdrawTemporary() { pendingTemporary.withdraw(); }

// The file is open for sharing its deletion, so that it goes even while being written; the
// handler then lets the system end the program as it would have.
BOOL WINAPI removeTemporaryAndEnd(DWORD)
{
    if (const wchar_t *name = pendingTemporary.name())
        ::DeleteFileW(name);
    return FALSE;
}

// A fresh file beside the target, with a short name whatever the target's.
HANDLE createTemporary(const std::wstring &folder, std::wstring *name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 tag = QRandomGenerator::global()->generate();
        *name = folder + L"\\.qav-"
                + QString::number(tag, 16).rightJustified(8, u'0').toStdWString() + L".tmp";
        publishTemporary(*name);
        const HANDLE file = ::CreateFileW(name->c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        const DWORD failure = ::GetLastError();
        withdrawTemporary();
        if (failure != ERROR_FILE_EXISTS && failure != ERROR_ALREADY_EXISTS) {
            ::SetLastError(failure);
            return INVALID_HANDLE_VALUE;
        }
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Whether an existing file may be replaced: not read-only, and not held open by another
// program in a way that keeps it from being replaced.
bool replaceable(const std::wstring &target, DWORD attributes, QString *error)
{
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        *error = windowsMessage(ERROR_ACCESS_DENIED) + QStringLiteral(" (the file is read-only)");
        return false;
    }
    // Shared with no one: a file any other program holds open cannot be replaced, whatever
    // that program lets others do with it.
    const Handle probe(::CreateFileW(target.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    if (!probe.valid()) {
        *error = lastError();
        return false;
    }
    if (::GetFileType(probe.get()) != FILE_TYPE_DISK) {
        *error = deviceReason();
        return false;
    }
    return true;
}

// Who may read and write the replacement is who could the file it replaces: the temporary
// file would otherwise have what its folder hands on.
bool keepSecurity(const std::wstring &target, const std::wstring &temporary)
{
    DWORD size = 0;
    ::GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    if (size == 0)
        return ::GetLastError() == ERROR_NOT_SUPPORTED; // a file system without it
    std::vector<char> descriptor(size);
    return ::GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size,
                              &size)
            && ::SetFileSecurityW(temporary.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
}

// The attributes a replacement keeps from the file it replaces.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
        | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The length of the part of a long name that names a drive or a share, "\\?\C:" or
// "\\?\UNC\server\share", which no one creates.
std::size_t rootLength(const std::wstring &native)
{
    if (!startsWith(native, L"\\\\?\\UNC\\"))
        return std::min<std::size_t>(native.size(), 6);
    std::size_t end = native.find(L'\\', 8);
    end = end == std::wstring::npos ? end : native.find(L'\\', end + 1);
    return std::min(end, native.size());
}

} // namespace

QString systemDescription(int number) { return QString::fromLocal8Bit(std::strerror(number)); }

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
    std::wstring target;
    if (!nativeName(path, &target, error))
        return false;
    if (isDevice(target)) {
        *error = deviceReason(target);
        return false;
    }
    target = finalName(target);
    WIN32_FILE_ATTRIBUTE_DATA older{};
    const bool exists = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &older);
    if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        *error = lastError();
        return false;
    }
    if (exists && (older.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        *error = systemDescription(EISDIR);
        return false;
    }
    if (exists && !replaceable(target, older.dwFileAttributes, error))
        return false;

    std::wstring temporary;
    Handle file(createTemporary(folderOf(target), &temporary));
    if (!file.valid()) {
        *error = lastError();
        return false;
    }
    // The time of writing is set, not left to the system, which may change it at closing:
    // the version given is then the version of the file as it stays.
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    BY_HANDLE_FILE_INFORMATION made{};
    const bool written = writeAll(file.get(), bytes) && ::FlushFileBuffers(file.get())
            && ::SetFileTime(file.get(), nullptr, nullptr, &now)
            && ::GetFileInformationByHandle(file.get(), &made) && file.release()
            && (!exists || keepSecurity(target, temporary))
            && (!exists
                || ::SetFileAttributesW(temporary.c_str(),
                                        (older.dwFileAttributes & KeptAttributes)
                                                | FILE_ATTRIBUTE_NORMAL))
            && ::MoveFileExW(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        *error = lastError();
        if (file.valid())
            file.release();
        ::DeleteFileW(temporary.c_str());
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
    std::wstring native;
    if (!nativeFileName(path, &native, error))
        return false;
    const DWORD attributes = ::GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        *error = systemError(::GetLastError());
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        *error = {FileError::NotRegular, windowsMessage(ERROR_DIRECTORY)};
        return false;
    }
    if (native.back() != L'\\')
        native += L'\\';
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileExW((native + L'*').c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND)
            return true;
        *error = systemError(code);
        return false;
    }
    do {
        const std::wstring_view name(found.cFileName);
        if (name == L"." || name == L"..")
            continue;
        if (entries->size() >= limit) {
            *more = true;
            break;
        }
        entries->append({QString::fromWCharArray(name.data(), qsizetype(name.size())),
                         (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(search, &found));
    const DWORD code = *more ? ERROR_NO_MORE_FILES : ::GetLastError();
    ::FindClose(search);
    if (code != ERROR_NO_MORE_FILES) {
        *error = systemError(code);
        return false;
    }
    return true;
}

bool pathExists(const QString &path)
{
    std::wstring native;
    QString error;
    return nativeName(path, &native, &error)
            && ::GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool makeFolders(const QString &path, QString *error)
{
    std::wstring native;
    if (!nativeName(path, &native, error))
        return false;
    for (std::size_t end = rootLength(native); end != std::wstring::npos;) {
        end = native.find(L'\\', end + 1);
        const std::wstring part = native.substr(0, end);
        if (part.size() <= rootLength(native) || ::CreateDirectoryW(part.c_str(), nullptr)
            || ::GetLastError() == ERROR_ALREADY_EXISTS)
            continue;
        *error = lastError();
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        *error = systemDescription(ENOTDIR);
        return false;
    }
    return true;
}

bool folderPossible(const QString &path, QString *error)
{
    std::wstring native;
    if (!nativeName(path, &native, error))
        return false;
    // The nearest name on the way that is there must be a folder.
    for (std::wstring part = native; part.size() > rootLength(native); part = folderOf(part)) {
        const DWORD attributes = ::GetFileAttributesW(part.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                return true;
            *error = systemDescription(ENOTDIR);
            return false;
        }
        const DWORD failure = ::GetLastError();
        if (failure != ERROR_FILE_NOT_FOUND && failure != ERROR_PATH_NOT_FOUND) {
            *error = windowsMessage(failure);
            return false;
        }
    }
    return true;
}

QByteArray fileIdentity(const QString &path)
{
    std::wstring native;
    QString error;
    if (!nativeName(path, &native, &error) || isDevice(native))
        return {};
    BY_HANDLE_FILE_INFORMATION info;
    if (informationOf(finalName(native), &info))
        return identityOf(info);
    return placeIdentity(path);
}

// Windows tells names apart without regard to case, so a name not there yet is compared in
// one case.
QByteArray placeIdentity(const QString &path)
{
    std::wstring native;
    QString error;
    if (!nativeName(path, &native, &error) || isDevice(native))
        return {};
    native = finalName(native);
    BY_HANDLE_FILE_INFORMATION info;
    if (!informationOf(folderOf(native), &info))
        return {};
    std::wstring name = native.substr(native.rfind(L'\\') + 1);
    // One character for one, as the file system compares names: "ß" stays "ß".
    if (!name.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(), int(name.size()),
                        name.data(), int(name.size()), nullptr, nullptr, 0);
    return identityOf(info) + '/' + QString::fromStdWString(name).toUtf8();
}

QByteArray fileVersion(const QString &path)
{
    std::wstring native;
    QString error;
    BY_HANDLE_FILE_INFORMATION info;
    if (!nativeName(path, &native, &error) || !informationOf(native, &info))
        return {};
    return versionOf(info);
}

void prepareProcess()
{
    // Bytes go out as they are: the C library would turn each LF into CR LF.
    std::fflush(stdout);
    std::fflush(stderr);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // A drive with no medium gives an error, not a dialog asking for a disk.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ::SetConsoleCtrlHandler(removeTemporaryAndEnd, TRUE);
}

} // namespace Platform
