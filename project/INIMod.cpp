// SPDX-License-Identifier: MIT

#include "INIMod.h"

#include <QDir>

#include <algorithm>
#include <QFile>

#include "filestore.h"
#include "formtable.h"
#include "pathrules.h"
#include "profiledocument.h"

const StepSection StepSections[OptionalStepCount] = {
        {OptionalStep::PlaneAlignment, "Plane Alignment", "PAOmmit", "optPAOmmit"},
        {OptionalStep::Synchronizing, "Synchronizing", "SOmmit", "optSOmmit"},
        {OptionalStep::Approach, "Approach", "AppOmmit", "optAppOmmit"},
        {OptionalStep::Docking, "Docking", "DOmmit", "optDOmmit"},
        {OptionalStep::Undocking, "Undocking", "UOmmit", "optUOmmit"},
        {OptionalStep::Reentry, "Reentry", "ROmmit", "optROmmit"},
        {OptionalStep::Landing, "Landing", "LndOmmit", "optLndOmmit"},
};

namespace {

enum class Source {
    Text,      // a text box's text
    Check,     // "Yes" for a ticked box, "No" otherwise
    Flag,      // "No" when the pair's "No" is selected, "Yes" otherwise
    Boxes,     // the boxes of an array, joined
    ModelList, // the model array the boxes of an array feed, joined by " "
    Fixed,     // the text given as the field
};

struct Key
{
    int section; // Settings, Launch, Ascent, or an optional step
    const char *key;
    Source source;
    const char *field; // control, array of boxes, option pair, or fixed text
    int parts = 0;     // boxes in the array
    char16_t separator = u' ';
};

constexpr int Settings = -1, Launch = -2, Ascent = -3;
constexpr int PA = 0, S = 1, App = 2, D = 3, U = 4, R = 5, Lnd = 6;
using enum Source;

// The keys in the order a save writes them.
constexpr Key Keys[] = {
        {Settings, "Directory", Text, "txtDirectory"},
        {Settings, "FileName", Text, "txtFileName"},
        {Settings, "Label", Text, "txtMissionName"},
        {Settings, "PAOmmit", Flag, "optPAOmmit"},
        {Settings, "SOmmit", Flag, "optSOmmit"},
        {Settings, "AppOmmit", Flag, "optAppOmmit"},
        {Settings, "DOmmit", Flag, "optDOmmit"},
        {Settings, "UOmmit", Flag, "optUOmmit"},
        {Settings, "ROmmit", Flag, "optROmmit"},
        {Settings, "LndOmmit", Flag, "optLndOmmit"},
        {Launch, "Label", Text, "txtLLabel"},
        {Launch, "StartAt", Text, "txtLStartAt"},
        {Launch, "WakeUp", Text, "txtLWakeUp"},
        {Launch, "Base", Boxes, "txtLBase", 3, u':'},
        {Launch, "Heading", Text, "txtLHeading"},
        {Launch, "HoverAt", Text, "txtLHoverAt"},
        {Launch, "Thrust", Text, "txtLThrust"},
        {Launch, "Orientation", Boxes, "txtLOrientation", 3},
        {Launch, "CompleteAt", Text, "txtLCompleteAt"},
        {Ascent, "Label", Text, "txtAName"},
        {Ascent, "Height", ModelList, "txtAHeight", 8},
        {Ascent, "Pitch", ModelList, "txtAPitch", 8},
        {Ascent, "Thrust", ModelList, "txtAThrust", 8},
        {Ascent, "LockVz", Text, "txtALockVz"},
        {Ascent, "AlignWith", Text, "txtAAlignWith"},
        {Ascent, "CompleteAt", Text, "txtACompleteAt"},
        {PA, "Label", Text, "txtPALabel"},
        {PA, "Reference", Text, "txtPAReference"},
        {PA, "Align", Text, "txtPAAlign"},
        {S, "Label", Text, "txtSName"},
        {S, "Reference", Text, "txtSReference"},
        {S, "CaptureDist", Text, "txtSCapDist"},
        {S, "CompleteAt", Text, "txtSCompleteAt"},
        {App, "Label", Text, "txtAppName"},
        {App, "Reference", Text, "txtAppReference"},
        {App, "NAV", Text, "txtAppNav"},
        {App, "CompleteAt", Text, "txtAppCompleteAt"},
        {D, "Label", Text, "txtDName"},
        {D, "Reference", Text, "txtDReference"},
        {D, "Port", Text, "txtDPort"},
        {D, "NAV", Text, "txtDNAV"},
        {D, "CmdCone", Check, "chkDCmdsK"},
        {D, "CmdClearance", Check, "chkDCmdsCC"},
        {U, "Label", Text, "txtULabel"},
        {U, "StartAt", Text, "txtUStartAt"},
        {U, "Reference", Text, "txtUReference"},
        {U, "Port", Text, "txtUPort"},
        {U, "VRel", Text, "txtUVRel"},
        {U, "Commands", Fixed, "K"},
        {R, "Label", Text, "txtRName"},
        {R, "StartAt", Text, "txtRStartAt"},
        {R, "AOA", Text, "txtRAoa"},
        {R, "Base", Text, "txtRBase"},
        {R, "CompleteAt", Text, "txtRCompleteAt"},
        {Lnd, "Label", Text, "txtLndName"},
        {Lnd, "Base", Text, "txtLndBase"},
        {Lnd, "HoverPad", ModelList, "txtLndHoverPad", 2},
        {Lnd, "NAV", Text, "txtLndNAV"},
};

// Loading fills these two sections in an order of their own.
struct LoadOrder
{
    int section;
    const char *keys[6];
};
constexpr LoadOrder LoadOrders[] = {
        {D, {"Label", "NAV", "Port", "Reference", "CmdCone", "CmdClearance"}},
        {U, {"Label", "Port", "Reference", "StartAt", "VRel", nullptr}},
};

QList<const Key *> keysToLoad(int section)
{
    QList<const Key *> keys;
    for (const Key &key : Keys) {
        if (key.section == section)
            keys.append(&key);
    }
    for (const LoadOrder &order : LoadOrders) {
        if (order.section != section)
            continue;
        const auto rank = [&order](const Key *key) {
            const auto *end = std::end(order.keys);
            return std::find_if(
                           std::begin(order.keys), end,
                           [key](const char *name) { return name && qstrcmp(name, key->key) == 0; })
                    - std::begin(order.keys);
        };
        std::stable_sort(keys.begin(), keys.end(),
                         [&rank](const Key *a, const Key *b) { return rank(a) < rank(b); });
    }
    return keys;
}

QString sectionName(int section)
{
    switch (section) {
    case Settings: return QStringLiteral("Settings");
    case Launch: return QStringLiteral("Launch");
    case Ascent: return QStringLiteral("Ascent");
    default: return QString::fromLatin1(StepSections[section].section);
    }
}

// The model array that the boxes of an array feed, without units.
QString modelList(const MissionModel &model, QLatin1StringView boxes)
{
    if (boxes == "txtAHeight")
        return joinTexts(model.AHeightRaw, u" ");
    if (boxes == "txtAPitch")
        return joinTexts(model.APitch, u" ");
    if (boxes == "txtAThrust")
        return joinTexts(model.AThrust, u" ");
    return joinTexts(model.LndHoverPad, u" ");
}

QString joinedBoxes(const FieldSource &fields, const Key &key)
{
    QString joined;
    for (int i = 0; i < key.parts; ++i) {
        if (i > 0)
            joined += QChar(key.separator);
        joined += fields.text(Form::objectName(key.field, i));
    }
    return joined;
}

// Reads a profile file (a missing one is empty), edits it and stores it whole.
bool editProfileFile(const QString &path, const std::function<bool(ProfileDocument &)> &edit,
                     QString *error)
{
    QByteArray bytes;
    if (QFile::exists(path) && !Platform::readWhole(path, &bytes, error))
        return false;
    ProfileDocument doc = ProfileDocument::fromBytes(bytes);
    return edit(doc) && Platform::writeWhole(path, doc.toBytes(), error);
}

void setEntries(ProfileDocument &doc, const QList<ProfileEntry> &entries)
{
    for (const ProfileEntry &entry : entries)
        doc.setValue(entry.section, entry.key, entry.value);
}

const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

} // namespace

QString projectFilePath(const QString &fileName)
{
    return Platform::joinPath(
            {QString::fromLatin1(ProjectFolder), fileName + QStringLiteral(".mfc")});
}

QString ReadINI(const QString &section, const QString &key, const QString &file)
{
    QByteArray bytes;
    QString error;
    if (!Platform::readWhole(file, &bytes, &error))
        return {};
    return ProfileDocument::fromBytes(bytes).value(section, key);
}

bool WriteINI(const QString &section, const QString &key, const QString &value, const QString &file)
{
    QString error;
    return editProfileFile(
            file, [&](ProfileDocument &doc) { return doc.setValue(section, key, value); }, &error);
}

QList<ProfileEntry> projectEntries(const FieldSource &fields, const MissionModel &model)
{
    QList<ProfileEntry> entries;
    for (const Key &key : Keys) {
        if (key.section >= 0
            && !fields.isChecked(Form::objectName(StepSections[key.section].optionPair, 1)))
            continue;
        const QString field = QString::fromLatin1(key.field);
        QString value;
        QString from = field;
        switch (key.source) {
        case Text: value = fields.text(field); break;
        case Check: value = fields.isChecked(field) ? Yes : No; break;
        case Flag:
            value = fields.isChecked(Form::objectName(key.field, 1)) ? No : Yes;
            from.clear();
            break;
        case Boxes: value = joinedBoxes(fields, key); break;
        case ModelList:
            value = modelList(model, QLatin1StringView(key.field));
            from.clear();
            break;
        case Fixed:
            value = field;
            from.clear();
            break;
        }
        entries.append({sectionName(key.section), QString::fromLatin1(key.key), value, from});
    }
    return entries;
}

QByteArray updatedProject(const QByteArray &existing, const QList<ProfileEntry> &entries)
{
    ProfileDocument doc = ProfileDocument::fromBytes(existing);
    setEntries(doc, entries);
    return doc.toBytes();
}

bool SaveProject(const QList<ProfileEntry> &entries, const QString &fileName, WriteFailure *failure)
{
    const QString folder = QString::fromLatin1(ProjectFolder);
    if (!QDir().mkpath(folder)) {
        *failure = {WriteFailure::ProjectFolder, folder,
                    QStringLiteral("The folder could not be created.")};
        return false;
    }
    const QString path = projectFilePath(fileName);
    QString error;
    const auto save = [&entries](ProfileDocument &doc) {
        setEntries(doc, entries);
        return true;
    };
    if (!editProfileFile(path, save, &error)) {
        *failure = {WriteFailure::ProjectFile, path, error};
        return false;
    }
    return true;
}

QList<FieldAssignment> projectAssignments(const ProfileDocument &doc, const QString &path)
{
    QList<FieldAssignment> out{{FieldAssignment::Caption, QStringLiteral("lblFileEdit"), path}};
    const auto fill = [&](const Key &key) {
        const QString value = doc.value(sectionName(key.section), QString::fromLatin1(key.key));
        const QString field = QString::fromLatin1(key.field);
        switch (key.source) {
        case Text: out.append({FieldAssignment::Text, field, value}); break;
        case Check: out.append({FieldAssignment::Check, field, {}, value == Yes}); break;
        case Boxes:
        case ModelList: {
            // Missing parts empty their boxes; surplus parts are dropped.
            const QStringList parts = value.split(QChar(key.separator));
            for (int i = 0; i < key.parts; ++i)
                out.append({FieldAssignment::Text, Form::objectName(key.field, i), parts.value(i)});
            break;
        }
        case Flag:
        case Fixed: break;
        }
    };
    for (const int section : {Launch, Ascent}) {
        for (const Key *key : keysToLoad(section))
            fill(*key);
    }
    for (const StepSection &step : StepSections) {
        const QString flag = doc.value(u"Settings", QString::fromLatin1(step.flagKey));
        if (flag != No) {
            out.append({FieldAssignment::Select, Form::objectName(step.optionPair, 0)});
            continue;
        }
        for (const Key *key : keysToLoad(int(step.step)))
            fill(*key);
    }
    for (const Key *key : keysToLoad(Settings)) {
        if (key->source == Text)
            fill(*key);
    }
    return out;
}

bool LoadProject(const QString &path, const std::function<void(const FieldAssignment &)> &fill,
                 QString *error)
{
    QByteArray bytes;
    if (!Platform::readWhole(path, &bytes, error))
        return false;
    for (const FieldAssignment &assignment :
         projectAssignments(ProfileDocument::fromBytes(bytes), path))
        fill(assignment);
    return true;
}
