// SPDX-License-Identifier: MIT

// Helpers shared by the tests, none of which needs a display: the form on a model of its
// own with its controls by name, a working directory of the test's own, faults of the
// system made for real, and the fixtures.
#pragma once

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "frmMain.h"

// The form as the program creates it, its controls by object name ("txtAHeight(3)").
struct Core
{
    explicit Core(const std::function<QString()> &remembered = defaultDirectory)
        : form(model, remembered)
    { }
    static Form::Id id(const QString &name);
    // Edits in order, "NAME=TEXT"; a check box or option button takes 1 or 0, "load=PATH"
    // loads a project file as "Load MFC File" does, "fill" fills every text box of the steps
    // with a text of its own and ticks both commands (as fixtures/goldens.py does), and
    // "omit" leaves every step out that can be left out.
    void edit(const QStringList &edits);
    // A control's text (1 or 0 for a check box or option button), or else a model value by
    // its name (MissionPath, MissionName, LBase, ...), the elements of an array joined by "|".
    QString value(const QString &name) const;
    // "NAME=VALUE" for each name, or each "NAME=..." given, to compare with what they should be.
    QStringList values(const QStringList &names) const;
    // Every text, tick and model value, to compare before and after.
    QStringList state() const;
    // The mission file's bytes for the model and the choices of the steps left out.
    static QByteArray missionBytes(const MissionModel &model, const Omissions &omitted);

    MissionModel model;
    frmMain form;
};

// A fresh temporary folder as the working directory for as long as it lives.
class WorkingDirectory
{
public:
    WorkingDirectory() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Environment variables set, or unset where the value is missing, for this process and its
// children for as long as the object lives.
class Environment
{
public:
    explicit Environment(const QList<std::pair<const char *, std::optional<QString>>> &values);
    ~Environment();
    Environment(const Environment &) = delete;
    Environment &operator=(const Environment &) = delete;

private:
    QList<std::pair<const char *, std::optional<QByteArray>>> m_previous;
};

// A working directory and the form started in it.
struct Session
{
    WorkingDirectory cwd;
    Core core;
};

// Faults of the system made for real, below a folder, as a data row lists them:
//   "file:PATH=TEXT"     a regular file of the text's Latin-1 bytes (whatever was there is
//                        removed first)
//   "folder:PATH"        a folder in its place
//   "sparse:PATH=BYTES"  a file of that size that takes no room on disk
//   "hardlink:PATH=OTHER" a second name for the file OTHER
//   "readonly:PATH"      a file or folder no one but root may write (not for root); on
//                        Windows a file with the read-only attribute
// On Windows only:
//   "held:PATH"          a file held open by another program, which shares it with no one
//   "shared:PATH"        the same, sharing reading, writing and deleting with everyone
// On POSIX systems only:
//   "fifo:PATH"          a named pipe
//   "link:PATH=TARGET"   a symbolic link, to a device such as /dev/zero, say
//   "locked:PATH"        a file no one but root may read (not for root)
//   "full:PATH[=FREE]"   a full file system of 64 KiB mounted there, with FREE bytes left
//                        and the older files copied onto it (root only)
//   "fsize:BYTES"        no file of this process or its children may grow past BYTES
//   "locale:LANG.CODESET" the locale of this process and its children, such as
//                        fr_FR.ISO-8859-1, compiled for the test from the system's sources
// Everything is undone when the object goes. A fault this user or system cannot make stops
// the rest, and skipped() says why.
class Faults
{
public:
    Faults(const QString &root, const QStringList &faults);
    ~Faults();
    Faults(const Faults &) = delete;
    Faults &operator=(const Faults &) = delete;
    QString skipped() const { return m_skipped; }

private:
    // The faults only this system makes; `rest` is the fault's text after its kind.
    bool makeSystemFault(const QString &kind, const QString &path, const QString &value,
                         const QString &root, const QString &rest);
    bool useLocale(const QString &name);

    QString m_skipped;
    std::vector<std::function<void()>> m_undo; // undone last first
};

// What a program the test started did: its exit code (-1 when it crashed), standard output
// and standard error.
struct Run
{
    int exitCode;
    QByteArray out, err;
};
// Waits for a started program to end (a minute at the most) and tells what it did.
Run finished(QProcess &process);

// What a child process did when a signal came while it wrote a file.
struct Interruption
{
    int status = -1; // its exit status as a shell shows it: 128 + N for the signal N
    int during = 0;  // the temporary file, counted from 1, that the signal came during; 0: none
};

// Runs `work` in a child process (POSIX systems only), with the signals as a shell leaves them, and
// delivers the signal while the child writes its nth temporary file (".qav-XXXXXXXX.tmp") in one of
// the folders. The child is stopped first and the signal sent only while it holds that file open,
// so the write is certainly in progress; a file already closed by then does not count, and
// the next one is taken.
Interruption interruptWrite(const std::function<void()> &work, const QStringList &folders,
                            int signal, int nth);

// Every entry below a folder, hidden ones included, by its path: a regular file by its bytes
// (a large one by its size), anything else by its kind. Comparing two tells what changed.
QMap<QString, QByteArray> snapshot(const QString &folder);
// The paths whose entries differ between two snapshots, sorted.
QStringList changes(const QMap<QString, QByteArray> &before,
                    const QMap<QString, QByteArray> &after);

// Declares the columns of a test's data table: their types, and their names in order.
template<class... Types>
void columns(const std::array<const char *, sizeof...(Types)> &names)
{
    std::size_t column = 0;
    (QTest::addColumn<Types>(names[column++]), ...);
}

// The text with each "/" as this system writes it between the parts of a path: "\" on
// Windows. For the messages of a test written with "/".
QString nativePaths(const QString &text);
// The reason the system gives for a failure: on POSIX systems the text given, on Windows the
// system's words for the error code (which Windows and Wine word differently).
QString systemReason(const QString &posix, unsigned long windowsCode);

// A small installation of the simulator below root, copied from fixtures/orbiter, with what
// the reader must cope with:
// bodies of the system with a gap in their numbers, base folders in another case than named,
// a body without a base list, a base named otherwise than its file, a second base of the
// same name, a file that is no base, pads, beacons and objects after one the simulator does
// not know, and a scenario with vessels whose names hold blanks. Written with the line end
// given, in UTF-8 or else Windows-1252.
void writeInstallation(const QString &root, const QByteArray &lineEnd = "\r\n", bool utf8 = true);

// A fixture file's path, and its bytes.
QString fixturePath(const QString &name);
QByteArray fixture(const QString &name);
// The text as UTF-16LE with its byte-order mark.
QByteArray utf16(const QString &text);
