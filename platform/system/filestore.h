// SPDX-License-Identifier: MIT

// Every file-system call the program makes. Reads take only regular files and only up to a
// limit, and listings only folders and only so many entries, so a named pipe, a device or a
// huge file or folder can neither block nor exhaust memory.
// Writes store a file whole: the bytes go to a temporary file beside the target, are synced,
// and then replace it, so a failure at any step leaves the older file as it was and no
// temporary file behind. Failures come back with the system's reason. One variant for POSIX
// systems and one for Windows, which also takes names longer than MAX_PATH and refuses a
// read-only file or one another program holds open before anything is written. On POSIX
// systems a Windows drive path ("C:\Orbiter\QAV") leads into the Wine prefix.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace Platform {

struct FileError
{
    enum Kind {
        None,
        Missing,    // the file, or a folder on its path, does not exist
        NotRegular, // a folder, named pipe, device or socket
        TooLarge,   // over the caller's limit
        System,     // any other failure
    } kind = None;
    QString reason; // the system's description, or what is wrong with the file
};

// The system's description of an error number, in the locale's language and decoded from
// the locale's encoding.
QString systemDescription(int number);

// The whole of a regular file of at most `limit` bytes.
bool readRegularFile(const QString &path, qint64 limit, QByteArray *bytes, FileError *error);

// The first bytes of a regular file, at most `limit` of them.
bool readFileStart(const QString &path, qint64 limit, QByteArray *bytes, FileError *error);

struct FolderEntry
{
    QString name;
    bool folder = false; // links followed
};

// The entries of a folder but "." and "..", in the system's order, at most `limit` of them;
// `more` tells whether it holds others. Only a folder is listed: a pipe or device in its place
// is refused unopened.
bool listFolder(const QString &path, int limit, QList<FolderEntry> *entries, bool *more,
                FileError *error);

// Stores the bytes as the whole file. Through a symbolic link the file it names is replaced;
// an existing file keeps its permissions. Refuses a target that is not a regular file.
// Gives, if asked, the fileVersion of the file it made.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error,
                QByteArray *version = nullptr);

// Whether anything (a file, a folder, a link) has this name.
bool pathExists(const QString &path);

// Creates a folder, and the folders above it that are missing.
bool makeFolders(const QString &path, QString *error);

// Whether makeFolders can succeed for this name before anything is written: nothing has the
// name yet, or it leads to a folder. A file or a link to nothing in its place gives the reason.
bool folderPossible(const QString &path, QString *error);

// What tells files apart: equal for two names that lead to one existing file, or that
// would create the same one; empty when the name leads nowhere.
QByteArray fileIdentity(const QString &path);
bool sameFile(const QString &a, const QString &b);
// Where a name leads, links followed: its folder's identity and its own name, whether a file
// is there or not. Another writer replacing the file leaves it as it is.
QByteArray placeIdentity(const QString &path);
// The file a name leads to, told apart also from a later file the system gives the same
// number: its identity, modification time to the nanosecond and size; empty when there is
// none.
QByteArray fileVersion(const QString &path);

// Makes the process safe for writing files, first thing at start. A file size limit or a
// closed pipe then fails the write, which is reported and cleaned up, instead of killing
// the program halfway. A standard stream closed at start would hand its number to the next
// file opened, and what is meant for the stream would land in that file: each closed one
// is opened on /dev/null for reading, so that writing to it fails as it should. SIGINT,
// SIGTERM and SIGHUP remove the temporary file of a write in progress, the older file staying
// as it was, and then end the program as they would have. On Windows, Ctrl+C and the console
// closing do the same; standard output and error take bytes unchanged, LF staying LF.
void prepareProcess();

} // namespace Platform
