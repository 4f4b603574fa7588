// SPDX-License-Identifier: MIT

// Project files: profile files read and written key by key, the keys a project stores and
// where each value comes from, and saving a project. The window supplies the fields' texts;
// everything that turns them into bytes is here and takes no widget.
#pragma once

#include <QList>
#include <QString>

#include <functional>

#include "QAVMmod.h"
#include "profiledocument.h"

// Project files live in this folder below the working directory.
inline constexpr char ProjectFolder[] = "mfc";

// "mfc/NAME.mfc", relative to the working directory.
QString projectFilePath(const QString &fileName);

// A stored value; empty text when the file, section or key is missing or unreadable.
QString ReadINI(const QString &section, const QString &key, const QString &file);
// Stores one value, leaving the rest of the file as it was; false when it could not.
bool WriteINI(const QString &section, const QString &key, const QString &value,
              const QString &file);

// The fields of the window as the project file sees them, by control name.
struct FieldSource
{
    std::function<QString(const QString &name)> text;   // a text box
    std::function<bool(const QString &name)> isChecked; // a check box or option button
};

struct ProfileEntry
{
    QString section;
    QString key;
    QString value;
    QString field; // the control the value comes from, empty for model lists and fixed text
};

// The keys a save writes, in order, with their values.
QList<ProfileEntry> projectEntries(const FieldSource &fields, const MissionModel &model);

// The project file after writing these entries into it, key by key.
QByteArray updatedProject(const QByteArray &existing, const QList<ProfileEntry> &entries);

// Writes the entries into mfc/FILENAME.mfc, creating the folder when missing.
bool SaveProject(const QList<ProfileEntry> &entries, const QString &fileName,
                 WriteFailure *failure);

// One step of filling the window from a project file.
struct FieldAssignment
{
    enum Kind { Caption, Text, Check, Select } kind;
    QString control;
    QString text;    // Caption, Text
    bool on = false; // Check
};

// What loading the document fills in, in order: the caption, Launch, Ascent, the optional
// steps whose flag is exactly "No" (the others select "Yes"), then the Settings texts.
QList<FieldAssignment> projectAssignments(const ProfileDocument &doc, const QString &path);

// Reads the project file whole and hands each assignment to fill. A file that cannot be
// read fills nothing and gives the system's description of the error.
bool LoadProject(const QString &path, const std::function<void(const FieldAssignment &)> &fill,
                 QString *error);

// The section and flag key of each optional step, in writing order.
struct StepSection
{
    OptionalStep step;
    const char *section;
    const char *flagKey;
    const char *optionPair;
};
extern const StepSection StepSections[OptionalStepCount];
