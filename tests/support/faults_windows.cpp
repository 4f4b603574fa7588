// SPDX-License-Identifier: MIT

#include <windows.h>

#include "testsupport.h"

namespace {

std::wstring wide(const QString &path) { return QDir::toNativeSeparators(path).toStdWString(); }

} // namespace

bool Faults::makeSystemFault(const QString &kind, const QString &path, const QString &value,
                             const QString &root, const QString &)
{
    if (kind == "hardlink") {
        QFile::remove(path);
        return ::CreateHardLinkW(wide(path).c_str(), wide(root + '/' + value).c_str(), nullptr);
    }
    if (kind == "readonly") {
        // A folder's read-only attribute keeps no one from writing in it.
        if (QFileInfo(path).isDir()) {
            m_skipped = "a read-only folder takes new files on Windows";
            return false;
        }
        const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
        m_undo.push_back([path, attributes] {
            ::SetFileAttributesW(wide(path).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        });
        return attributes != INVALID_FILE_ATTRIBUTES
                && ::SetFileAttributesW(wide(path).c_str(), attributes | FILE_ATTRIBUTE_READONLY);
    }
    if (kind == "held" || kind == "shared") {
        // Opened as a program does that shares its file with no one, or with everyone. A
        // handle of this process stands in the way of the program under test as one of any
        // other process would: Windows checks sharing by handle, not by process.
        const DWORD share =
                kind == "held" ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        const HANDLE handle = ::CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, share,
                                            nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        m_undo.push_back([handle] { ::CloseHandle(handle); });
        return true;
    }
    if (QStringList{"fifo", "link", "locked", "full", "fsize", "locale"}.contains(kind)) {
        m_skipped = "the fault \"" + kind + "\" is made only on POSIX systems";
        return false;
    }
    qFatal("no fault %s", qPrintable(kind));
}

QString systemReason(const QString &, unsigned long windowsCode)
{
    wchar_t text[1024];
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, DWORD(windowsCode), 0, text, 1024, nullptr);
    QString reason = QString::fromWCharArray(text, int(n)).simplified();
    if (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}
