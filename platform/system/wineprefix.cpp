// SPDX-License-Identifier: MIT

#include "wineprefix.h"

#include <QDir>
#include <QFileInfo>

#include "filestore.h"

namespace Platform {

namespace {

constexpr int FolderEntryLimit = 4096;

struct Prefix
{
    QString path;  // where the prefix is
    QString shown; // how a message names it: as WINEPREFIX gives it, or "~/.wine"
};

Prefix winePrefix()
{
    const QString given = qEnvironmentVariable("WINEPREFIX");
    if (!given.isEmpty())
        return {given, given};
    return {QDir::homePath() + QStringLiteral("/.wine"), QStringLiteral("~/.wine")};
}

// The entry of a folder with this name, in the case the folder has it: the name itself when
// it is there as typed, else the first that differs only in case, else the name as typed.
QString entryNamed(const QString &folder, const QString &name)
{
    if (name == u"." || name == u".." || QFileInfo::exists(folder + u'/' + name))
        return name;
    // Listed as the file store lists any folder: a pipe is not waited on, and a folder of
    // many entries is searched only so far.
    QList<FolderEntry> entries;
    bool more = false;
    FileError error;
    if (listFolder(folder, FolderEntryLimit, &entries, &more, &error)) {
        for (const FolderEntry &entry : std::as_const(entries)) {
            if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
                return entry.name;
        }
    }
    return name;
}

} // namespace

bool mapDrivePath(QStringView path, QString *mapped, QString *error)
{
    const Prefix prefix = winePrefix();
    if (!QFileInfo(prefix.path).isDir()) {
        *error = QStringLiteral("no Wine prefix at %1 (set WINEPREFIX)").arg(prefix.shown);
        return false;
    }
    const QString drive = path.left(2).toString();
    const QFileInfo link(prefix.path + QStringLiteral("/dosdevices/") + drive.toLower());
    if (!link.exists()) {
        *error = QStringLiteral("no drive %1 in the Wine prefix at %2")
                         .arg(drive.toUpper(), prefix.shown);
        return false;
    }
    QString place = link.isSymLink() ? link.symLinkTarget() : link.filePath();
    const QStringList parts =
            path.sliced(3).toString().replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString entry = entryNamed(place, part);
        place += place.endsWith(u'/') ? entry : u'/' + entry;
    }
    *mapped = place;
    return true;
}

} // namespace Platform
