// SPDX-License-Identifier: MIT

// Project files: profile files read whole and written whole with their keys updated, the
// keys a project stores and where each value comes from (all from the form table), saving a
// project and what loading one fills in. The form supplies the fields' texts; everything
// that turns them into bytes is here.
#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

#include "QAVMmod.h"
#include "profiledocument.h"

// Project files live in this folder below the working directory.
inline constexpr char ProjectFolder[] = "mfc";

// "mfc/NAME.mfc", relative to the working directory.
QString projectFilePath(const QString &fileName);

// No project comes near this size; a larger file is refused rather than read.
inline constexpr qint64 ProjectFileLimit = 16 * 1024 * 1024;
QString tooLargeForAProject();

// The fields of the form as the project file sees them.
struct FieldSource
{
    std::function<QString(Form::Id)> text;   // a text box
    std::function<bool(Form::Id)> isChecked; // a check box or option button
};

struct ProfileEntry
{
    QString section;
    QString key;
    QString value;
};

// The keys a save writes, in order, with their values.
QList<ProfileEntry> projectEntries(const FieldSource &fields, const MissionModel &model);

// The project file after writing these entries into it, key by key.
QByteArray updatedProject(const QByteArray &existing, const QList<ProfileEntry> &entries);

// The project file's path and its bytes once a save has written its entries into it, and
// the folder to make for it when missing (none when empty).
struct PreparedProject
{
    QString path;
    QByteArray bytes;
    QString folder;
};

// Reads mfc/FILENAME.mfc (a missing file is empty) and writes the entries into it in
// memory. Fails, before anything is stored, when the folder cannot be made (a file or a
// link to nothing in its place), or the file cannot be read or cannot take an entry (a file
// in an encoding the program does not write).
bool prepareProject(const QList<ProfileEntry> &entries, const QString &fileName,
                    PreparedProject *project, WriteFailure *failure);

// Stores a prepared project whole, creating its folder when missing; gives, if asked, the
// version of the file it made (Platform::fileVersion).
bool SaveProject(const PreparedProject &project, WriteFailure *failure,
                 QByteArray *version = nullptr);

// Where a field's text is kept in a project file: the section and key, and for a box of a
// list which part it is (from 1) of how many.
struct ProjectKey
{
    QString section;
    QString key;
    int part = 0;
    int parts = 0;
};
std::optional<ProjectKey> projectKey(Form::Id field);

// What loading the document fills in, in order: the caption, Launch, Ascent, the optional
// steps whose flag is exactly "No" (the others select "Yes"), then the Settings texts.
QList<FieldAssignment> projectAssignments(const ProfileDocument &doc, const QString &path);

// A project file's bytes. A file that is not a regular file, or is over the limit, is
// refused; the reason is the system's description or says what is wrong. A missing file
// is refused too, unless it is to be read as an empty one (a project about to be saved).
enum class MissingProject { Refused, Empty };
bool readProject(const QString &path, QByteArray *bytes, QString *error,
                 MissingProject missing = MissingProject::Refused);

// Reads the project file whole and hands each assignment to fill. A file that cannot be
// read fills nothing and gives the reason.
bool LoadProject(const QString &path, const std::function<void(const FieldAssignment &)> &fill,
                 QString *error);
