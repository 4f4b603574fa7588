// SPDX-License-Identifier: MIT

#include "messages.h"

#include "INIMod.h"
#include "QAVMmod.h"
#include "formtable.h"
#include "pathrules.h"

namespace Messages {

namespace {

QString describe(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar(u'0')).toUpper();
    if (c == U'\r' || c == U'\n')
        return QStringLiteral("a line break (%1)").arg(code);
    if (QChar::isPrint(c) && !QChar::isSurrogate(c))
        return QStringLiteral("the character \"%1\" (%2)").arg(QString::fromUcs4(&c, 1), code);
    return QStringLiteral("the character %1").arg(code);
}

QString fileDescription(const WriteFailure &failure)
{
    switch (failure.what) {
    case WriteFailure::MissionFile: return QStringLiteral("the mission file");
    case WriteFailure::SettingsFile: return QStringLiteral("the settings file");
    case WriteFailure::ProjectFile: return QStringLiteral("the project file");
    case WriteFailure::ProjectFolder: return QStringLiteral("the project folder");
    }
    Q_UNREACHABLE();
}

// What the user finds on disk after the failure.
QString consequence(const WriteFailure &failure)
{
    switch (failure.what) {
    case WriteFailure::MissionFile:
        return QStringLiteral("Nothing was written; an older mission file is as it was.");
    case WriteFailure::SettingsFile:
        return QStringLiteral("The mission file was written; \"settings.dat\" and the project "
                              "file were not.");
    case WriteFailure::ProjectFile:
    case WriteFailure::ProjectFolder:
        return QStringLiteral("The mission file and \"settings.dat\" were written; the project "
                              "file was not, and an older one is as it was.");
    }
    Q_UNREACHABLE();
}

QString where(const WriteFailure &failure)
{
    return Platform::printableName(failure.path) + QStringLiteral(": ") + failure.error;
}

} // namespace

QString makeMissionTitle() { return QStringLiteral("Make Mission"); }

QString loadProjectTitle() { return QStringLiteral("Load MFC File"); }

QString problem(const MissionProblem &problem)
{
    const QString nothing = QStringLiteral("\n\nNothing was written.");
    switch (problem.kind) {
    case MissionProblem::NoFileName:
        return QStringLiteral("The mission has no file name. Type one into \"File Name\" on the "
                              "tab \"10 - Make File\".")
                + nothing;
    case MissionProblem::NoDirectory:
        return QStringLiteral("The mission has no directory. Type one into \"Directory\" on the "
                              "tab \"10 - Make File\".")
                + nothing;
    case MissionProblem::UnwritableText: {
        const Form::Control &field = problem.field.control();
        return QStringLiteral("The field \"%1\" on the tab \"%2\" holds %3, which the mission and "
                              "project files cannot hold.")
                       .arg(Form::displayName(field), Form::tabCaptions().at(field.tab),
                            describe(problem.character))
                + nothing;
    }
    case MissionProblem::None: break;
    }
    return {};
}

QString writeFailed(const WriteFailure &failure)
{
    return QStringLiteral("Could not write %1:\n%2\n\n%3")
            .arg(fileDescription(failure), where(failure), consequence(failure));
}

QString projectUnusable(const WriteFailure &failure)
{
    const QString what = failure.what == WriteFailure::ProjectFolder
            ? QStringLiteral("write the project folder")
            : QStringLiteral("update the project file");
    return QStringLiteral("Could not %1:\n%2\n\nNothing was written.").arg(what, where(failure));
}

QString readFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("Could not read the project file:\n%1: %2\n\nNothing was loaded.")
            .arg(Platform::printableName(path), reason);
}

QString sharedFile(const QString &path, const QString &otherPath)
{
    return QStringLiteral("Writing %1 would replace %2, which the program needs as it is."
                          "\n\nNothing was written.")
            .arg(Platform::printableName(path), Platform::printableName(otherPath));
}

QString problemLine(const MissionProblem &problem)
{
    switch (problem.kind) {
    case MissionProblem::NoFileName: return QStringLiteral("the project has no FileName");
    case MissionProblem::NoDirectory: return QStringLiteral("the project has no Directory");
    case MissionProblem::UnwritableText: {
        // Every text box the check looks at is stored in the project file.
        const ProjectKey key = projectKey(problem.field).value();
        QString stored =
                QStringLiteral("the key \"%1\" in section \"%2\"").arg(key.key, key.section);
        if (key.parts > 0)
            stored = QStringLiteral("part %1 of %2 of ").arg(key.part).arg(key.parts) + stored;
        return QStringLiteral("%1 holds %2, which the files the program writes cannot hold")
                .arg(stored, describe(problem.character));
    }
    case MissionProblem::None: break;
    }
    return {};
}

QString writeFailedLine(const WriteFailure &failure)
{
    return QStringLiteral("could not write %1 %2").arg(fileDescription(failure), where(failure));
}

QString missionIsTheProjectLine(const QString &missionPath)
{
    return QStringLiteral("the mission file %1 is this project file; nothing was written")
            .arg(Platform::printableName(missionPath));
}

QString missionIsAProjectLine(const QString &missionPath, const QString &project)
{
    return QStringLiteral("the mission file %1 is the project file %2 of this run; nothing was "
                          "written")
            .arg(Platform::printableName(missionPath), Platform::printableName(project));
}

QString projectWrittenBeforeLine(const QString &projectPath, const QString &firstMission)
{
    return QStringLiteral("the project file %1 was already written in this run for %2")
            .arg(Platform::printableName(projectPath), Platform::printableName(firstMission));
}

QString projectExistsLine(const QString &projectPath)
{
    return QStringLiteral("the project file %1 exists; --force replaces it")
            .arg(Platform::printableName(projectPath));
}

QString missionWrittenBeforeLine(const QString &missionPath, const QString &firstProject)
{
    return QStringLiteral("the mission file %1 was already written in this run for %2")
            .arg(Platform::printableName(missionPath), Platform::printableName(firstProject));
}

QString projectNamedTwiceLine(const QString &projectPath, const QString &firstMission)
{
    return QStringLiteral("the project file %1 is made also from %2")
            .arg(Platform::printableName(projectPath), Platform::printableName(firstMission));
}

QString missionNamedTwiceLine(const QString &missionPath, const QString &firstProject)
{
    return QStringLiteral("the mission file %1 is named also by %2")
            .arg(Platform::printableName(missionPath), Platform::printableName(firstProject));
}

QString noInstallationLine(const QString &directory, const QString &reason)
{
    const QString line = QStringLiteral("no Orbiter installation found above %1")
                                 .arg(Platform::printableName(directory));
    return reason.isEmpty() ? line : line + QStringLiteral(": ") + reason;
}

QString unknownNameLine(Form::Names kind, const QString &name, const QString &where,
                        const QString &closest)
{
    const QString shown = Platform::printableName(name);
    QString line;
    switch (kind) {
    case Form::Names::Body:
        line = QStringLiteral("the body \"%1\" is not in the %2 system").arg(shown, where);
        break;
    case Form::Names::BodyBase:
    case Form::Names::Base:
        line = where.isEmpty()
                ? QStringLiteral("the base \"%1\" is on no body of the installation").arg(shown)
                : QStringLiteral("the base \"%1\" is not on %2").arg(shown, where);
        break;
    case Form::Names::Vessel:
        line = QStringLiteral("the vessel \"%1\" is not in the last flight, nor a body of the %2 "
                              "system")
                       .arg(shown, where);
        break;
    case Form::Names::None:
    case Form::Names::Pad: Q_UNREACHABLE();
    }
    if (!closest.isEmpty())
        line += QStringLiteral("; did you mean \"%1\"?").arg(Platform::printableName(closest));
    return line;
}

QString unknownPadLine(const QString &pad, const QString &base, int pads)
{
    const QString count = pads == 0 ? QStringLiteral("no pads")
            : pads == 1             ? QStringLiteral("1 pad")
                                    : QStringLiteral("%1 pads").arg(pads);
    return QStringLiteral("there is no pad \"%1\" at %2, which has %3")
            .arg(Platform::printableName(pad), Platform::printableName(base), count);
}

} // namespace Messages
