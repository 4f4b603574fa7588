// SPDX-License-Identifier: MIT

// The mission model and everything that turns it into text. The window's change rules
// write the model; the mission writer reads it together with the omission choices.
// Nothing here touches a widget, and only WriteMissionFile and WriteSettingsFile touch a
// file.
#pragma once

#include <QString>

#include <array>
#include <functional>

#include "formtable.h"

struct MissionModel
{
    // What each field's rule stored, by the row of the field (or element) that feeds it;
    // empty until the rule first runs.
    Form::PerRow<QString> values;
    // The text each value was made of, without its unit: the project file keeps the
    // heights of the ascent profile so.
    Form::PerRow<QString> typed;

    QString MissionPath;
    QString MissionName;

    QString value(Form::Id id) const { return values[id]; }
};

// The model of this run of the program.
MissionModel &missionModel();

// Where the mission file of this directory and file name goes.
QString missionPath(const QString &directory, const QString &fileName);

// The bare name the catalogue refers to.
QString missionFileName(const QString &fileName);

// The entry for "missions.lst", four lines joined by CR LF, markup characters escaped.
QString missionListEntry(const QString &missionName, const QString &missionFileName);

// Where a text stops being one the program's files hold as typed (a line break or another
// control character but the tab, or a character outside the 8-bit code page), or -1.
qsizetype firstUnwritable(QStringView text);

// "&", "<" and ">" as XML entities.
QString escapeMarkup(const QString &text);

// "settings.dat" in the working directory remembers the last mission directory.
inline constexpr char SettingsFileName[] = "settings.dat";
// Only this much of the file is read; no folder's name comes near it.
inline constexpr qsizetype SettingsLineLimit = 64 * 1024;
QString defaultDirectory();
// The whole first line without its line end; the default for an empty file or a first
// line longer than the limit.
QString directoryFromSettings(QByteArrayView contents);
// The remembered directory, or the default when the file is missing, unreadable or not a
// regular file.
QString readRememberedDirectory();

// For each step, true where the user chose to leave it out.
using Omissions = std::array<bool, Form::StepCount>;
// An optional step is left out unless its "No" option is selected.
Omissions omissionsOf(const std::function<bool(Form::Id)> &isChecked);

// The mission file's text, lines ended by CR LF, markup characters in values escaped.
QString renderMission(const MissionModel &model, const Omissions &omissions);

// "settings.dat" as bytes: the directory and CR LF.
QByteArray settingsBytes(const QString &directory);

// Why a mission cannot be made from what the fields hold.
struct MissionProblem
{
    enum Kind { None, NoFileName, NoDirectory, UnwritableText } kind = None;
    Form::Id field;         // the text box, for UnwritableText
    char32_t character = 0; // the first character it cannot write
};

// What could not be written, where, and the system's description of why.
struct WriteFailure
{
    enum What { MissionFile, SettingsFile, ProjectFile, ProjectFolder } what;
    QString path;
    QString error;
};

// Writes the mission file whole at the given path; gives, if asked, the version of the file
// it made (Platform::fileVersion). A failure is described.
bool WriteMissionFile(const QString &path, const MissionModel &model, const Omissions &omissions,
                      WriteFailure *failure, QByteArray *version = nullptr);

// Writes "settings.dat" in the working directory, remembering the directory. A failure is
// described.
bool WriteSettingsFile(const QString &directory, WriteFailure *failure);

// Something in a mission file that could not be given to a field, and its line.
struct MissionOddity
{
    qint64 line;
    QString what;
};

// What a mission file says of the fields that make it: the assignments that fill a freshly
// started form so that it makes the same mission again (steps the file lacks are left out),
// and what could not be placed. Read with the writer's own line formats; fails, with the
// reason, on a file that is not well-formed, not a QAV mission, or shaped to make reading it
// take time or memory beyond its size (the reason's line is 0 where it names none).
bool readMission(const QByteArray &bytes, QList<FieldAssignment> *assignments,
                 QList<MissionOddity> *oddities, MissionOddity *error);
