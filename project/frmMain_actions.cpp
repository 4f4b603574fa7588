// The window's two actions: Make Mission writes the mission, "settings.dat" and the project
// file; Load MFC File fills the fields from a project file.
#include "frmMain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "INIMod.h"
#include "filestore.h"
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

// A mission needs a file name and a directory, and every text it writes must read back as
// typed. Fields of steps left out are not written, so they do not count.
MissionProblem frmMain::missionProblem(Directory directory) const
{
    if (fileName().isEmpty())
        return {MissionProblem::NoFileName};
    if (directory == Directory::Needed && text("txtDirectory").isEmpty())
        return {MissionProblem::NoDirectory};
    const Omissions omitted = omissions();
    for (const Form::Control &row : Form::controls()) {
        if (row.kind != Form::Kind::TextBox)
            continue;
        const int step = row.tab - Form::FirstOptionalTab;
        if (step >= 0 && step < int(OptionalStepCount) && omitted[std::size_t(step)])
            continue;
        const QString name = Form::objectName(row);
        const QString text = static_cast<QLineEdit *>(control(name))->text();
        if (const qsizetype at = firstUnwritable(text); at >= 0)
            return {MissionProblem::UnwritableText, name, text[at]};
    }
    return {};
}

// Everything that can be found out before writing is checked first, so that a project file
// the program cannot update stops the action before the mission is written; what fails
// while writing is reported in the order the files are written.
void frmMain::cmdMakeMission_Click()
{
    control(QStringLiteral("cmdOpen"))->setEnabled(false);
    static_cast<QLabel *>(control(QStringLiteral("lblFileEdit")))
            ->setText(Platform::joinPath({Platform::workingFolder(), projectFilePath(fileName())}));

    const QString title = Messages::makeMissionTitle();
    if (const MissionProblem problem = missionProblem(); problem.kind != MissionProblem::None)
        return report(title, Messages::problem(problem));

    WriteFailure failure;
    PreparedProject project;
    if (!prepareProject(projectEntries(fieldSource(), m_model), fileName(), &project, &failure))
        return report(title, Messages::projectUnusable(failure));
    const QString settings = QString::fromLatin1(SettingsFileName);
    for (const QString &other : {m_loadedProject, project.path, settings}) {
        if (!other.isEmpty() && Platform::sameFile(m_model.MissionPath, other))
            return report(title, Messages::sharedFile(m_model.MissionPath, other));
    }
    if (!WriteMissionFile(m_model, omissions(), text("txtDirectory"), &failure)
        || !SaveProject(project, &failure))
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
    if (!LoadProject(
                path, [this](const FieldAssignment &assignment) { fill(assignment); }, error))
        return false;
    m_loadedProject = path;
    return true;
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
