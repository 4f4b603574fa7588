// SPDX-License-Identifier: MIT

// The form's two actions: Make Mission writes the mission, "settings.dat" and the project
// file; Load MFC File fills the fields from a project file.
#include "frmMain.h"

#include <QDir>

#include "INIMod.h"
#include "filestore.h"
#include "messages.h"
#include "pathrules.h"

using Form::Id;

// Everything that can be found out before writing is checked first, so that a project file
// the program cannot update stops the action before the mission is written; what fails
// while writing is reported in the order the files are written.
QString frmMain::cmdMakeMission_Click()
{
    setEnabled(Form::id("cmdOpen"), false);
    setText(Form::id("lblFileEdit"),
            Platform::joinPath({Platform::workingFolder(), projectFilePath(fileName())}));

    if (const MissionProblem problem = missionProblem(); problem.kind != MissionProblem::None)
        return Messages::problem(problem);
    WriteFailure failure;
    PreparedProject project;
    if (!prepareProject(projectEntries(), fileName(), &project, &failure))
        return Messages::projectUnusable(failure);
    // The three files are three, and none of them replaces the project that was loaded.
    const QString &mission = m_model.MissionPath;
    const QString settings = QString::fromLatin1(SettingsFileName);
    const std::pair<QString, QString> distinct[] = {{mission, m_loadedProject},
                                                    {mission, settings},
                                                    {mission, project.path},
                                                    {settings, m_loadedProject},
                                                    {settings, project.path}};
    for (const auto &[written, other] : distinct) {
        if (!other.isEmpty() && Platform::sameFile(written, other))
            return Messages::sharedFile(written, other);
    }
    if (!WriteMissionFile(mission, m_model, omissions(), &failure)
        || !WriteSettingsFile(text(Form::id("txtDirectory")), &failure)
        || !SaveProject(project, &failure))
        return Messages::writeFailed(failure);
    return {};
}

QList<ProfileEntry> frmMain::projectEntries() const
{
    const FieldSource fields{[this](Id id) { return text(id); },
                             [this](Id id) { return isChecked(id); }};
    return ::projectEntries(fields, m_model);
}

void frmMain::cmdOpen_Click() { setEnabled(Form::id("cmdOpen"), false); }

// Only the fields change: their rules bring the model along.
void frmMain::apply(const FieldAssignment &assignment)
{
    switch (assignment.kind) {
    case FieldAssignment::Caption:
    case FieldAssignment::Text: setText(assignment.control, assignment.text); break;
    case FieldAssignment::Check: setChecked(assignment.control, assignment.on); break;
    case FieldAssignment::Select: setChecked(assignment.control, true); break;
    }
}

bool frmMain::loadProjectFile(const QString &chosen, QString *error)
{
    // A dialog or a drop gives "/" on every system; messages show the system's own.
    const QString path = QDir::toNativeSeparators(chosen);
    if (!LoadProject(
                path, [this](const FieldAssignment &a) { apply(a); }, error))
        return false;
    m_loadedProject = path;
    return true;
}
