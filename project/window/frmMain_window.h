// SPDX-License-Identifier: MIT

// The window that shows the form. It builds its controls from the form table, shows what
// the form holds, and hands the form every edit, tick and choice of the user; the form's
// rules do the rest, and whatever they change comes back here to be shown.
#pragma once

#include <QHash>
#include <QWidget>

#include <array>
#include <memory>

#include "errorreport.h"
#include "frmMain.h"
#include "loaddialog.h"
#include "namecompletion.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TwoRowTabWidget;

class frmMainWindow : public QWidget
{
    Q_OBJECT

public:
    // When the pages after the first are built: with the window, or just after it first
    // appears, so that it appears sooner.
    enum class Pages { AllAtOnce, OthersOnceShown };

    // Without a dialog or error report the window uses Qt's file dialog and message box.
    explicit frmMainWindow(frmMain &form, std::unique_ptr<LoadDialog> dialog = {},
                           std::unique_ptr<ErrorReport> errors = {}, Pages pages = Pages::AllAtOnce,
                           QWidget *parent = nullptr);
    ~frmMainWindow() override;

    frmMain &form() const { return m_form; }
    // A control or row caption by its name, "txtAHeight(3)" style; nullptr if unknown.
    QWidget *control(const QString &name) const { return m_controls.value(name); }
    TwoRowTabWidget *tabs() const { return m_tabs; }

    // Loads a project as "Load MFC File" does once a file is chosen, from the command line
    // or a drop; it reports a file that cannot be read in the same way.
    void loadProject(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    // One project file dropped anywhere on the window loads it, while "Load MFC File" could.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The widget that shows a control, by its kind.
    struct Shown
    {
        QWidget *widget = nullptr;
        QLineEdit *box = nullptr;
        QPlainTextEdit *lines = nullptr;
        QAbstractButton *button = nullptr;
        QLabel *label = nullptr;
    };

    // The window's own controls with the first page, or the other pages.
    enum class Part { First, Others };
    void build(Part part);
    void buildOthers();
    Shown createControl(Form::Id id, QWidget *parent);
    QWidget *parentFor(Form::Id id);
    void addTabFurniture(int tab);
    void setFocusOrder();
    void finishAppearance();
    void nameForAssistiveTools(Form::Id id);
    void linkForAssistiveTools(Form::Id id);
    void bind(Form::Id id);
    void showText(Form::Id id, const QString &text);
    void showChecked(Form::Id id, bool checked);
    void showEnabled(Form::Id id, bool enabled);

    void cmdMakeMission_Click();
    void cmdOpen_Click();
    void addShortcuts();
    QString droppedProject(const class QMimeData *data) const;

    frmMain &m_form;
    std::unique_ptr<LoadDialog> m_loadDialog;
    std::unique_ptr<ErrorReport> m_errors;
    Form::PerRow<Shown> m_shown;
    QHash<QString, QWidget *> m_controls;
    TwoRowTabWidget *m_tabs = nullptr;
    NameCompletion *m_names = nullptr;
    bool m_showing = false; // the form's own change is being shown
    bool m_shownOnce = false;
    bool m_othersPending = false;
};
