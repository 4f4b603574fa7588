// SPDX-License-Identifier: MIT

#include "INIMod.h"

#include <QStringList>

#include <algorithm>

#include "filestore.h"
#include "pathrules.h"
#include "profiledocument.h"

namespace {

using Form::Id;
using Form::Stored;

const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

QString sectionName(int step) { return QString::fromLatin1(Form::steps()[step].section); }

// "Settings" first, then the steps in order.
QList<int> sectionsInOrder()
{
    QList<int> order{Form::MakeFileTab};
    for (int step = 0; step < Form::MakeFileTab; ++step)
        order.append(step);
    return order;
}

QString storedValue(const FieldSource &fields, const MissionModel &model, Id id)
{
    const Form::Control &field = id.control();
    QStringList parts;
    switch (field.project.stored) {
    case Stored::Text: return fields.text(id);
    case Stored::Check: return fields.isChecked(id) ? Yes : No;
    case Stored::Fixed: return QString::fromUtf8(field.text);
    case Stored::Boxes:
        for (const Id element : Form::elements(id))
            parts.append(fields.text(element));
        break;
    case Stored::ModelList:
        for (const Id element : Form::elements(id))
            parts.append(model.typed[element]);
        break;
    }
    return parts.join(QChar(field.separator));
}

// The document after writing the entries, or the reason one of them cannot be written.
bool applyEntries(ProfileDocument &doc, const QList<ProfileEntry> &entries, QString *error)
{
    for (const ProfileEntry &entry : entries) {
        if (const QString refusal = doc.writeRefusal(entry.section, entry.key, entry.value);
            !refusal.isEmpty()) {
            *error = refusal;
            return false;
        }
        doc.setValue(entry.section, entry.key, entry.value);
    }
    return true;
}

} // namespace

QString projectFilePath(const QString &fileName)
{
    return Platform::joinPath(
            {QString::fromLatin1(ProjectFolder), fileName + QStringLiteral(".mfc")});
}

QString tooLargeForAProject() { return QStringLiteral("too large to be a project file"); }

QList<ProfileEntry> projectEntries(const FieldSource &fields, const MissionModel &model)
{
    QList<ProfileEntry> entries;
    const Omissions omitted = omissionsOf(fields.isChecked);
    for (const int step : sectionsInOrder()) {
        if (omitted[std::size_t(step)])
            continue;
        const QString section = sectionName(step);
        for (const Id id : Form::projectFields(step, Form::Table::SaveOrder))
            entries.append({section, QString::fromLatin1(id.control().project.key),
                            storedValue(fields, model, id)});
        if (step != Form::MakeFileTab)
            continue;
        // The flags follow the section's own keys, whether their steps are written or not.
        for (int optional = 0; optional < Form::StepCount; ++optional) {
            if (Form::isOptional(optional))
                entries.append({section, QString::fromLatin1(Form::steps()[optional].flagKey),
                                omitted[std::size_t(optional)] ? Yes : No});
        }
    }
    return entries;
}

QByteArray updatedProject(const QByteArray &existing, const QList<ProfileEntry> &entries)
{
    ProfileDocument doc = ProfileDocument::fromBytes(existing);
    QString error;
    applyEntries(doc, entries, &error);
    return doc.toBytes();
}

bool prepareProject(const QList<ProfileEntry> &entries, const QString &fileName,
                    PreparedProject *project, WriteFailure *failure)
{
    const QString folder = QString::fromLatin1(ProjectFolder);
    const QString path = projectFilePath(fileName);
    QByteArray bytes;
    QString error;
    if (!Platform::folderPossible(folder, &error)) {
        *failure = {WriteFailure::ProjectFolder, folder, error};
        return false;
    }
    if (!readProject(path, &bytes, &error, MissingProject::Empty)) {
        *failure = {WriteFailure::ProjectFile, path, error};
        return false;
    }
    ProfileDocument doc = ProfileDocument::fromBytes(bytes);
    if (!applyEntries(doc, entries, &error)) {
        *failure = {WriteFailure::ProjectFile, path, error};
        return false;
    }
    *project = {path, doc.toBytes(), folder};
    return true;
}

bool SaveProject(const PreparedProject &project, WriteFailure *failure, QByteArray *version)
{
    QString error;
    if (!project.folder.isEmpty() && !Platform::makeFolders(project.folder, &error)) {
        *failure = {WriteFailure::ProjectFolder, project.folder, error};
        return false;
    }
    if (!Platform::writeWhole(project.path, project.bytes, &error, version)) {
        *failure = {WriteFailure::ProjectFile, project.path, error};
        return false;
    }
    return true;
}

std::optional<ProjectKey> projectKey(Id field)
{
    const Form::Control &declared = Form::field(field);
    if (!declared.project.key)
        return std::nullopt;
    const QList<Id> elements = Form::elements(field);
    const bool list = elements.size() > 1;
    return ProjectKey{sectionName(declared.tab), QString::fromLatin1(declared.project.key),
                      list ? int(elements.indexOf(field)) + 1 : 0, list ? int(elements.size()) : 0};
}

QList<FieldAssignment> projectAssignments(const ProfileDocument &doc, const QString &path)
{
    QList<FieldAssignment> out{{FieldAssignment::Caption, Form::id("lblFileEdit"), path}};
    const auto fill = [&](int step) {
        for (const Id id : Form::projectFields(step, Form::Table::LoadOrder)) {
            const Form::Control &field = id.control();
            const QString value =
                    doc.value(sectionName(step), QString::fromLatin1(field.project.key));
            switch (field.project.stored) {
            case Stored::Text: out.append({FieldAssignment::Text, id, value}); break;
            case Stored::Check: out.append({FieldAssignment::Check, id, {}, value == Yes}); break;
            case Stored::Boxes:
            case Stored::ModelList: {
                // Missing parts empty their boxes; surplus parts are dropped.
                const QStringList parts = value.split(QChar(field.separator));
                const QList<Id> elements = Form::elements(id);
                for (qsizetype i = 0; i < elements.size(); ++i)
                    out.append({FieldAssignment::Text, elements[i], parts.value(i)});
                break;
            }
            case Stored::Fixed: break;
            }
        }
    };
    for (int step = 0; step < Form::MakeFileTab; ++step) {
        if (Form::isOptional(step)) {
            const QString flag = doc.value(sectionName(Form::MakeFileTab),
                                           QString::fromLatin1(Form::steps()[step].flagKey));
            if (flag != No) {
                out.append({FieldAssignment::Select, Form::option(step, 0)});
                continue;
            }
        }
        fill(step);
    }
    fill(Form::MakeFileTab);
    return out;
}

bool readProject(const QString &path, QByteArray *bytes, QString *error, MissingProject missing)
{
    Platform::FileError failure;
    if (Platform::readRegularFile(path, ProjectFileLimit, bytes, &failure))
        return true;
    switch (failure.kind) {
    case Platform::FileError::Missing:
        if (missing == MissingProject::Refused)
            break;
        bytes->clear();
        return true;
    case Platform::FileError::TooLarge: *error = tooLargeForAProject(); return false;
    default: break;
    }
    *error = failure.reason;
    return false;
}

bool LoadProject(const QString &path, const std::function<void(const FieldAssignment &)> &fill,
                 QString *error)
{
    QByteArray bytes;
    if (!readProject(path, &bytes, error))
        return false;
    for (const FieldAssignment &assignment :
         projectAssignments(ProfileDocument::fromBytes(bytes), path))
        fill(assignment);
    return true;
}
