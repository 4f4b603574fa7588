// SPDX-License-Identifier: MIT

// Helpers shared by the tests: a window on its own model, controls by name, the model's
// values by name, and a working directory of the test's own.
#pragma once

#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

#include "frmMain.h"
#include "loaddialog.h"

// A dialog that answers as a test tells it to, without showing anything.
class ScriptedLoadDialog final : public LoadDialog
{
public:
    bool showOpen(QWidget *) override;

    QString answer;          // the path to choose; empty means cancel
    int shown = 0;
    QString fileNameAtShow;  // what the caller left in the file name before showing
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

// Creates the window in the current working directory, as the program does at start.
struct Editor
{
    Editor();
    explicit Editor(std::unique_ptr<LoadDialog> dialog);

    QLineEdit *box(const QString &name) const;
    QString text(const QString &name) const { return box(name)->text(); }
    void set(const QString &name, const QString &text) const { box(name)->setText(text); }
    QString caption(const QString &labelName) const;
    template<class T>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(window->control(name));
    }

    ScriptedLoadDialog &dialog() const;
    RecordingErrorReport &errors() const { return *m_errors; }
    // Fills every text box of the steps with a text of its own (see fixtures/goldens.py).
    void fillEveryField() const;
    static QString filledText(const QString &name);
    void makeMission() const;
    // Shows the window and waits until it is on the screen.
    bool show() const;

    MissionModel model;
    RecordingErrorReport *m_errors;
    std::unique_ptr<frmMain> window;
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

// A fixture file's bytes.
QByteArray fixture(const QString &name);

// A model value by its name; array elements joined by "|".
QString modelValue(const MissionModel &model, const QString &name);
