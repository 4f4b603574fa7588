// SPDX-License-Identifier: MIT

// The program's one window. It is built from the form tables; every change of a field runs
// the field's change rule, which copies the text into the MissionModel and refreshes the
// readouts. The texts themselves live only in the widgets.
#pragma once

#include <QHash>
#include <QWidget>

#include <memory>

#include "QAVMmod.h"
#include "errorreport.h"
#include "loaddialog.h"

class TwoRowTabWidget;
namespace Form {
struct Control;
}

class frmMain : public QWidget
{
    Q_OBJECT

public:
    // Builds the window and runs start-up. Without a dialog or error report the window uses
    // Qt's file dialog and message box.
    explicit frmMain(MissionModel &model, std::unique_ptr<LoadDialog> dialog = {},
                     std::unique_ptr<ErrorReport> errors = {}, QWidget *parent = nullptr);
    ~frmMain() override;

    // A control by its name, "txtAHeight(3)" style for array elements; nullptr if unknown.
    QWidget *control(const QString &name) const { return m_controls.value(name); }
    QWidget *control(const char *name, int index) const;

    MissionModel &model() const { return m_model; }

    // The two actions without their dialogs and messages, for use without the window:
    // loading a project file into the fields, as "Load MFC File" does once a file is chosen;
    // and what "Make Mission" checks and writes for the mission itself.
    bool loadProjectFile(const QString &path, QString *error);
    QString missionProblem() const; // empty when the mission may be written
    Omissions omissions() const;
    QString fileName() const;
    QString missionListEntryText() const;
    LoadDialog &loadDialog() const { return *m_loadDialog; }
    TwoRowTabWidget *tabs() const { return m_tabs; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    QWidget *createControl(const Form::Control &row);
    void addTabFurniture();
    void setFocusOrder();
    void finishAppearance();
    void nameForAssistiveTools();
    void connectHandlers();
    void Form_Load();

    QString text(const char *name, int index = -1) const;
    void setText(const char *name, const QString &text);
    template<std::size_t N>
    void readArray(const char *name, Texts<N> &into, QStringView unit = {}) const;
    bool isChecked(const char *name) const;
    void showMissionListEntry();
    struct FieldSource fieldSource() const;
    void report(const QString &title, const QString &text);

    void cmdMakeMission_Click();
    void cmdOpen_Click();
    void fill(const struct FieldAssignment &assignment);

    void txtLLabel_Change();
    void txtLStartAt_Change();
    void txtLWakeUp_Change();
    void txtLBase_Change(int index);
    void txtLHeading_Change();
    void txtLHoverAt_Change();
    void txtLThrust_Change();
    void txtLOrientation_Change(int index);
    void txtLCompleteAt_Change();
    void txtAName_Change();
    void txtAHeight_Change(int index);
    void txtAPitch_Change(int index);
    void txtAThrust_Change(int index);
    void txtALockVz_Change();
    void txtAAlignWith_Change();
    void txtACompleteAt_Change();
    void txtPALabel_Change();
    void txtPAReference_Change();
    void txtPAAlign_Change();
    void txtSName_Change();
    void txtSReference_Change();
    void txtSCapDist_Change();
    void txtSCompleteAt_Change();
    void txtAppName_Change();
    void txtAppReference_Change();
    void txtAppNav_Change();
    void txtAppCompleteAt_Change();
    void txtDName_Change();
    void txtDReference_Change();
    void txtDPort_Change();
    void txtDNAV_Change();
    void chkDCmdsK_Click();
    void chkDCmdsCC_Click();
    void txtULabel_Change();
    void txtUStartAt_Change();
    void txtUReference_Change();
    void txtUPort_Change();
    void txtUVRel_Change();
    void txtRName_Change();
    void txtRStartAt_Change();
    void txtRAoa_Change();
    void txtRBase_Change();
    void txtRCompleteAt_Change();
    void txtLndName_Change();
    void txtLndBase_Change();
    void txtLndHoverPad_Change(int index);
    void txtLndNAV_Change();
    void txtFileName_Change();
    void txtMissionName_Change();
    void txtDirectory_Change();

    MissionModel &m_model;
    std::unique_ptr<LoadDialog> m_loadDialog;
    std::unique_ptr<ErrorReport> m_errors;
    QHash<QString, QWidget *> m_controls;
    TwoRowTabWidget *m_tabs = nullptr;
    bool m_shown = false;
};
