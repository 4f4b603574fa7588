// SPDX-License-Identifier: MIT

// Helpers shared by the tests: a window on its own model, controls by name, the model's
// values by name, and a working directory of the test's own.
#pragma once

#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "frmMain.h"
#include "frmMain_window.h"
#include "loaddialog.h"

// A dialog that answers as a test tells it to, without showing anything.
class ScriptedLoadDialog final : public LoadDialog
{
public:
    bool showOpen(QWidget *) override;

    QString answer; // the path to choose; empty means cancel
    int shown = 0;
    QString fileNameAtShow; // what the caller left in the file name before showing
};

// Records what the window would have shown in a message box.
class RecordingErrorReport final : public ErrorReport
{
public:
    void report(QWidget *, const QString &title, const QString &text) override
    {
        titles << title;
        texts << text;
    }
    QStringList titles;
    QStringList texts;
};

// Creates the form and the window that shows it in the current working directory, as the
// program does at start.
struct Editor
{
    Editor();
    ~Editor();

    QLineEdit *box(const QString &name) const;
    QString text(const QString &name) const { return box(name)->text(); }
    void set(const QString &name, const QString &text) const { box(name)->setText(text); }
    QString caption(const QString &labelName) const;
    template<class T>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(window->control(name));
    }

    ScriptedLoadDialog &dialog() const { return *m_dialog; }
    RecordingErrorReport &errors() const { return *m_errors; }
    // Fills every text box of the steps with a text of its own (see fixtures/goldens.py).
    void fillEveryField() const;
    static QString filledText(const QString &name);
    void makeMission() const;
    // Shows the window and waits until it is on the screen.
    bool show() const;

    MissionModel model;
    RecordingErrorReport *m_errors;
    ScriptedLoadDialog *m_dialog;
    std::unique_ptr<frmMain> form;
    std::unique_ptr<frmMainWindow> window;
};

// Makes a fresh temporary folder the working directory for as long as it lives.
class WorkingDirectory
{
public:
    WorkingDirectory();
    ~WorkingDirectory();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Faults of the system made for real, below a folder, as a data row lists them:
//   "file:PATH=TEXT"     a regular file of the text's Latin-1 bytes (whatever was there is
//                        removed first)
//   "folder:PATH"        a folder in its place
//   "fifo:PATH"          a named pipe
//   "link:PATH=TARGET"   a symbolic link, to a device such as /dev/zero, say
//   "hardlink:PATH=OTHER" a second name for the file OTHER
//   "sparse:PATH=BYTES"  a file of that size that takes no room on disk
//   "readonly:PATH"      a file or folder no one but root may write (skipped as root)
//   "full:PATH[=FREE]"   a full file system of 64 KiB mounted there, with FREE bytes left
//                        and "older" files written back into it (root only)
//   "fsize:BYTES"        no file of this process or its children may grow past BYTES
// Everything is undone when the object goes.
class Faults
{
public:
    explicit Faults(const QString &root) : m_root(root) { }
    ~Faults();
    Faults(const Faults &) = delete;
    Faults &operator=(const Faults &) = delete;

    // False, with the reason, when this user cannot make one of the faults.
    bool apply(const QStringList &faults, QString *skip);

private:
    QString m_root;
    QStringList m_mounts;
    QStringList m_readOnly;
    std::optional<quint64> m_previousFileSizeLimit; // RLIM_INFINITY is the largest value
};

// Every entry below a folder, hidden ones included, by its path: a regular file by its bytes
// (a large one by its size), anything else by its kind. Comparing two tells what changed.
QMap<QString, QByteArray> snapshot(const QString &folder);
// The paths whose entries differ between two snapshots, sorted.
QStringList changes(const QMap<QString, QByteArray> &before,
                    const QMap<QString, QByteArray> &after);

// A fixture file's bytes.
QByteArray fixture(const QString &name);

// A model value by its name; array elements joined by "|".
QString modelValue(const MissionModel &model, const QString &name);
