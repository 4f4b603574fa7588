// SPDX-License-Identifier: MIT

// The window's two actions: Make Mission writes the mission, "settings.dat" and the project
// file; Load MFC File fills the fields from a project file.
#include "frmMain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "INIMod.h"
#include "formtable.h"
#include "messages.h"
#include "pathrules.h"

void frmMain::report(const QString &title, const QString &text)
{
    m_errors->report(this, title, text);
}

Omissions frmMain::omissions() const
{
    Omissions omitted{};
    for (const StepSection &step : StepSections) {
        const auto *no = static_cast<QAbstractButton *>(control(step.optionPair, 1));
        omitted[std::size_t(step.step)] = !no->isChecked();
    }
    return omitted;
}

FieldSource frmMain::fieldSource() const
{
    return {[this](const QString &name) { return static_cast<QLineEdit *>(control(name))->text(); },
            [this](const QString &name) {
                return static_cast<QAbstractButton *>(control(name))->isChecked();
            }};
}

// A mission needs a file name, and every text it writes must read back as typed.
QString frmMain::missionProblem() const
{
    if (fileName().isEmpty())
        return Messages::noFileName();
    const Omissions omitted = omissions();
    for (const Form::Control &row : Form::controls()) {
        if (row.kind != Form::Kind::TextBox)
            continue;
        const int step = row.tab - Form::FirstOptionalTab;
        if (step >= 0 && step < int(OptionalStepCount) && omitted[std::size_t(step)])
            continue;
        const QString text = static_cast<QLineEdit *>(control(Form::objectName(row)))->text();
        if (const qsizetype at = firstUnwritable(text); at >= 0) {
            return Messages::unwritableCharacter(Form::displayName(row),
                                                 Form::tabCaptions().at(row.tab), text[at]);
        }
    }
    return {};
}

void frmMain::cmdMakeMission_Click()
{
    control(QStringLiteral("cmdOpen"))->setEnabled(false);
    static_cast<QLabel *>(control(QStringLiteral("lblFileEdit")))
            ->setText(Platform::joinPath({Platform::programFolder(), projectFilePath(fileName())}));

    const QString title = Messages::makeMissionTitle();
    if (const QString problem = missionProblem(); !problem.isEmpty())
        return report(title, problem);

    WriteFailure failure;
    if (!WriteMissionFile(m_model, omissions(), text("txtDirectory"), &failure)
        || !SaveProject(projectEntries(fieldSource(), m_model), fileName(), &failure))
        report(title, Messages::writeFailed(failure));
}

void frmMain::cmdOpen_Click()
{
    control(QStringLiteral("cmdOpen"))->setEnabled(false);
    m_loadDialog->setFileName({});
    if (!m_loadDialog->showOpen(this))
        return;
    const QString path = m_loadDialog->fileName();
    QString error;
    if (!loadProjectFile(path, &error))
        report(Messages::loadProjectTitle(), Messages::readFailed(path, error));
}

bool frmMain::loadProjectFile(const QString &path, QString *error)
{
    return LoadProject(
            path, [this](const FieldAssignment &assignment) { fill(assignment); }, error);
}

// Only the widgets change: their change rules bring the model along.
void frmMain::fill(const FieldAssignment &assignment)
{
    QWidget *target = control(assignment.control);
    switch (assignment.kind) {
    case FieldAssignment::Caption: static_cast<QLabel *>(target)->setText(assignment.text); break;
    case FieldAssignment::Text: static_cast<QLineEdit *>(target)->setText(assignment.text); break;
    case FieldAssignment::Check: static_cast<QCheckBox *>(target)->setChecked(assignment.on); break;
    case FieldAssignment::Select: static_cast<QAbstractButton *>(target)->setChecked(true); break;
    }
}
