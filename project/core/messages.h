// SPDX-License-Identifier: MIT

// Every text the program shows the user when something goes wrong: in the window's error
// report, several lines with what to do; on a command line, one line that names the
// project's keys rather than the window's tabs and shows no control character raw.
#pragma once

#include <QString>

#include "formtable.h"

struct MissionProblem;
struct WriteFailure;

namespace Messages {

QString makeMissionTitle();
QString loadProjectTitle();

QString problem(const MissionProblem &problem);
QString writeFailed(const WriteFailure &failure);
// The project file a save would update cannot take the save, found before writing.
QString projectUnusable(const WriteFailure &failure);
QString readFailed(const QString &path, const QString &reason);
// A file Make Mission writes would replace another it reads or writes.
QString sharedFile(const QString &path, const QString &otherPath);

QString problemLine(const MissionProblem &problem);
QString writeFailedLine(const WriteFailure &failure);
QString missionIsTheProjectLine(const QString &missionPath);
QString missionIsAProjectLine(const QString &missionPath, const QString &project);
QString projectWrittenBeforeLine(const QString &projectPath, const QString &firstMission);
QString projectExistsLine(const QString &projectPath);
QString missionWrittenBeforeLine(const QString &missionPath, const QString &firstProject);
// As the two above, for a run that writes nothing.
QString projectNamedTwiceLine(const QString &projectPath, const QString &firstMission);
QString missionNamedTwiceLine(const QString &missionPath, const QString &firstProject);

// What qavmake --check says of the simulator's installation.
QString noInstallationLine(const QString &directory, const QString &reason = {});
// A name the installation does not know: where it looked (the system, the body; empty for
// every body) and the closest known name, if any.
QString unknownNameLine(Form::Names kind, const QString &name, const QString &where,
                        const QString &closest);
QString unknownPadLine(const QString &pad, const QString &base, int pads);

} // namespace Messages
