#include "INIMod.h"

#include <QDir>
#include <QFile>

#include "filestore.h"
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
    Text,        // a text box's text
    Check,       // "Yes" for a ticked box, "No" otherwise
    Flag,        // "No" when the pair's "No" is selected, "Yes" otherwise
    BoxesColon,  // the three boxes of an array joined by ":"
    BoxesSpace,  // the three boxes of an array joined by " "
    ModelList,   // a model array joined by " "
    Fixed,       // the text given as the field
};

struct Key
{
    int section; // -1 "Settings", -2 "Launch", -3 "Ascent", or an optional step
    const char *key;
    Source source;
    const char *field;
};

constexpr int Settings = -1, Launch = -2, Ascent = -3;
constexpr int PA = 0, S = 1, App = 2, D = 3, U = 4, R = 5, Lnd = 6;
using enum Source;

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
        {Launch, "Base", BoxesColon, "txtLBase"},
        {Launch, "Heading", Text, "txtLHeading"},
        {Launch, "HoverAt", Text, "txtLHoverAt"},
        {Launch, "Thrust", Text, "txtLThrust"},
        {Launch, "Orientation", BoxesSpace, "txtLOrientation"},
        {Launch, "CompleteAt", Text, "txtLCompleteAt"},
        {Ascent, "Label", Text, "txtAName"},
        {Ascent, "Height", ModelList, "AHeightRaw"},
        {Ascent, "Pitch", ModelList, "APitch"},
        {Ascent, "Thrust", ModelList, "AThrust"},
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
        {Lnd, "HoverPad", ModelList, "LndHoverPad"},
        {Lnd, "NAV", Text, "txtLndNAV"},
};

QString sectionName(int section)
{
    switch (section) {
    case Settings: return QStringLiteral("Settings");
    case Launch: return QStringLiteral("Launch");
    case Ascent: return QStringLiteral("Ascent");
    default: return QString::fromLatin1(StepSections[section].section);
    }
}

QString modelList(const MissionModel &model, QLatin1StringView name)
{
    if (name == "AHeightRaw")
        return joinTexts(model.AHeightRaw, u" ");
    if (name == "APitch")
        return joinTexts(model.APitch, u" ");
    if (name == "AThrust")
        return joinTexts(model.AThrust, u" ");
    return joinTexts(model.LndHoverPad, u" ");
}

QString boxes(const FieldSource &fields, const QString &name, QStringView separator)
{
    QString joined;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            joined += separator;
        joined += fields.text(QStringLiteral("%1(%2)").arg(name).arg(i));
    }
    return joined;
}

const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

} // namespace

QString projectFilePath(const QString &fileName)
{
    return Platform::joinPath({QString::fromLatin1(ProjectFolder), fileName + QStringLiteral(".mfc")});
}

QString ReadINI(const QString &section, const QString &key, const QString &file)
{
    QByteArray bytes;
    QString error;
    if (!Platform::readWhole(file, &bytes, &error))
        return {};
    return ProfileDocument::fromBytes(bytes).value(section, key);
}

bool WriteINI(const QString &section, const QString &key, const QString &value,
              const QString &file)
{
    QByteArray bytes;
    QString error;
    if (QFile::exists(file) && !Platform::readWhole(file, &bytes, &error))
        return false;
    ProfileDocument doc = ProfileDocument::fromBytes(bytes);
    return doc.setValue(section, key, value) && Platform::writeWhole(file, doc.toBytes(), &error);
}

QList<ProfileEntry> projectEntries(const FieldSource &fields, const MissionModel &model)
{
    QList<ProfileEntry> entries;
    for (const Key &key : Keys) {
        if (key.section >= 0
            && !fields.isChecked(QString::fromLatin1(StepSections[key.section].optionPair)
                                 + QStringLiteral("(1)")))
            continue;
        const QString field = QString::fromLatin1(key.field);
        QString value;
        QString from = field;
        switch (key.source) {
        case Text: value = fields.text(field); break;
        case Check: value = fields.isChecked(field) ? Yes : No; break;
        case Flag:
            value = fields.isChecked(field + QStringLiteral("(1)")) ? No : Yes;
            from.clear();
            break;
        case BoxesColon: value = boxes(fields, field, u":"); break;
        case BoxesSpace: value = boxes(fields, field, u" "); break;
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
    for (const ProfileEntry &entry : entries)
        doc.setValue(entry.section, entry.key, entry.value);
    return doc.toBytes();
}

bool SaveProject(const QList<ProfileEntry> &entries, const QString &fileName,
                 WriteFailure *failure)
{
    const QString folder = QString::fromLatin1(ProjectFolder);
    if (!QDir().mkpath(folder)) {
        *failure = {WriteFailure::ProjectFolder, folder, QStringLiteral("The folder could not be created.")};
        return false;
    }
    const QString path = projectFilePath(fileName);
    QByteArray existing;
    QString error;
    if (QFile::exists(path) && !Platform::readWhole(path, &existing, &error)) {
        *failure = {WriteFailure::ProjectFile, path, error};
        return false;
    }
    if (!Platform::writeWhole(path, updatedProject(existing, entries), &error)) {
        *failure = {WriteFailure::ProjectFile, path, error};
        return false;
    }
    return true;
}
