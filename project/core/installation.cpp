// SPDX-License-Identifier: MIT

#include "installation.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include "filestore.h"
#include "pathrules.h"

namespace {

// A path as the Directory writes it, in parts, so that walking up and down keeps its style:
// "C:\Orbiter\QAV" stays a drive path with backslashes, which on Linux leads into Wine.
struct Place
{
    QString start; // "C:" or "\\server\share", empty for a POSIX path
    QChar separator;
    QStringList parts;

    QString path() const { return start + separator + parts.join(separator); }
    Place below(const QString &name) const
    {
        Place child = *this;
        child.parts.append(name);
        return child;
    }
};

QStringList cleanParts(QStringView text)
{
    QStringList parts;
    for (const QStringView part : QStringTokenizer(text, u'/')) {
        if (part.isEmpty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part.toString());
    }
    return parts;
}

Place placeOf(const QString &directory)
{
    QString text = directory.isEmpty() ? Platform::workingFolder() : directory;
    const bool windows = Platform::pathSeparator() == u'\\';
    if (windows || Platform::isDrivePath(text))
        text.replace(u'\\', u'/');
    if (!Platform::isDrivePath(text) && !text.startsWith(u'/'))
        text = Platform::workingFolder().replace(u'\\', u'/') + u'/' + text;
    if (Platform::isDrivePath(text))
        return {text.left(2), u'\\', cleanParts(QStringView(text).sliced(2))};
    if (windows && text.startsWith(u"//")) {
        QStringList parts = cleanParts(text);
        const QStringList share = parts.mid(0, 2);
        return {QStringLiteral("\\\\") + share.join(u'\\'), u'\\', parts.mid(2)};
    }
    return {QString(), u'/', cleanParts(text)};
}

QString casefold(QStringView name) { return name.toString().toCaseFolded(); }

class Reader
{
public:
    Reader(OrbiterInstallation &installation, const InstallationLimits &limits)
        : m_installation(installation), m_limits(limits)
    { }

    struct Listing
    {
        QList<Platform::FolderEntry> entries;
        QHash<QString, qsizetype> byName; // case-folded, the first of a name
        QString failure; // why the system could not list it, when it is there at all
    };

    const Listing &list(const Place &folder, bool noteFailures = true)
    {
        const QString path = folder.path();
        if (const auto known = m_listings.constFind(path); known != m_listings.cend())
            return known.value();
        Listing listing;
        bool more = false;
        Platform::FileError error;
        if (!Platform::listFolder(path, m_limits.entries, &listing.entries, &more, &error)) {
            if (error.kind == Platform::FileError::System)
                listing.failure = error.reason;
            if (noteFailures && error.kind != Platform::FileError::Missing)
                skip(path, error.reason);
        } else if (more && noteFailures) {
            note(path,
                 QStringLiteral("skipped the entries past the first %1").arg(m_limits.entries));
        }
        for (qsizetype i = 0; i < listing.entries.size(); ++i)
            listing.byName.insert(casefold(listing.entries[i].name), i);
        return *m_listings.insert(path, listing);
    }

    // The entry of a folder with this name in any case.
    const Platform::FolderEntry *entry(const Place &folder, QStringView name,
                                       bool noteFailures = true)
    {
        const Listing &listing = list(folder, noteFailures);
        const auto found = listing.byName.constFind(casefold(name));
        return found == listing.byName.cend() ? nullptr : &listing.entries[found.value()];
    }

    // A place below a folder through names in any case; nothing where a part is missing.
    std::optional<Place> find(Place folder, const QStringList &names, bool wantFolder)
    {
        for (qsizetype i = 0; i < names.size(); ++i) {
            const Platform::FolderEntry *found = entry(folder, names[i]);
            const bool last = i + 1 == names.size();
            if (found == nullptr || found->folder != (last ? wantFolder : true))
                return std::nullopt;
            folder = folder.below(found->name);
        }
        return folder;
    }

    std::optional<QString> text(const Place &file, qint64 limit)
    {
        const QString path = file.path();
        if (m_filesRead >= m_limits.files || m_bytesRead >= m_limits.bytes) {
            if (!m_overCap) {
                note(m_installation.root,
                     m_filesRead >= m_limits.files
                             ? QStringLiteral("skipped the files past the first %1")
                                       .arg(m_limits.files)
                             : QStringLiteral("skipped the files past the first %1 MiB read")
                                       .arg(m_limits.bytes >> 20));
            }
            m_overCap = true;
            return std::nullopt;
        }
        ++m_filesRead;
        QByteArray bytes;
        Platform::FileError error;
        if (!Platform::readRegularFile(path, limit, &bytes, &error)) {
            if (error.kind == Platform::FileError::TooLarge)
                skip(path, QStringLiteral("larger than %1 MiB").arg(limit >> 20));
            else if (error.kind != Platform::FileError::Missing)
                skip(path, error.reason);
            return std::nullopt;
        }
        m_bytesRead += bytes.size();
        return Orbiter::decodeText(bytes);
    }

private:
    void note(const QString &path, const QString &what)
    {
        m_installation.skipped.append(Platform::printableName(path) + QStringLiteral(": ") + what);
    }
    void skip(const QString &path, const QString &reason)
    {
        note(path, QStringLiteral("skipped, ") + reason);
    }

    OrbiterInstallation &m_installation;
    const InstallationLimits &m_limits;
    QHash<QString, Listing> m_listings;
    int m_filesRead = 0;
    qint64 m_bytesRead = 0;
    bool m_overCap = false;
};

bool isInstallation(Reader &reader, const Place &folder)
{
    const auto file = [&](const char16_t *name) {
        const Platform::FolderEntry *found = reader.entry(folder, QStringView(name), false);
        return found != nullptr && !found->folder;
    };
    const Platform::FolderEntry *config = reader.entry(folder, u"Config", false);
    return config != nullptr && config->folder && (file(u"Orbiter.exe") || file(u"Orbiter_ng.exe"));
}

void readBase(Reader &reader, const Place &file, OrbiterBody &body,
              const InstallationLimits &limits)
{
    const std::optional<QString> text = reader.text(file, limits.fileSize);
    const QString name = file.parts.constLast();
    std::optional<Orbiter::Base> base =
            text ? Orbiter::readBase(*text, name.left(name.size() - 4)) : std::nullopt;
    if (base && findBase(body, base->name) == nullptr)
        body.bases.append(std::move(*base));
}

void readBases(Reader &reader, const Place &folder, OrbiterBody &body,
               const InstallationLimits &limits)
{
    QList<Platform::FolderEntry> files = reader.list(folder).entries;
    // The system lists a folder in its own order; the first base of a name must not depend on it.
    std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) {
        const int order = a.name.compare(b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (const Platform::FolderEntry &file : std::as_const(files)) {
        if (!file.folder && file.name.endsWith(u".cfg", Qt::CaseInsensitive))
            readBase(reader, folder.below(file.name), body, limits);
    }
}

} // namespace

const OrbiterBody *OrbiterInstallation::body(QStringView name) const
{
    for (const OrbiterBody &b : bodies) {
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}

const Orbiter::Base *findBase(const OrbiterBody &body, QStringView name)
{
    for (const Orbiter::Base &base : body.bases) {
        if (base.name.compare(name, Qt::CaseInsensitive) == 0)
            return &base;
    }
    return nullptr;
}

OrbiterInstallation readInstallation(const QString &directory, const InstallationLimits &limits)
{
    OrbiterInstallation installation;
    Reader reader(installation, limits);
    Place root = placeOf(directory);
    for (;;) {
        if (isInstallation(reader, root))
            break;
        if (root.parts.isEmpty()) {
            // A drive without a Wine prefix, say, lists nothing all the way up.
            installation.reason = reader.list(root, false).failure;
            return installation;
        }
        root.parts.removeLast();
    }
    installation.root = root.path();
    // A drive path on Linux may differ in case from the folders in the Wine prefix; the files
    // below are named as the folders have them, so that no name is looked for again.
    if (Platform::isDrivePath(installation.root)) {
        Place parent = root;
        parent.parts.clear();
        for (const QString &part : std::as_const(root.parts)) {
            const Platform::FolderEntry *found = reader.entry(parent, part, false);
            parent = parent.below(found != nullptr ? found->name : part);
        }
        root = parent;
    }

    Orbiter::Scenario scenario;
    if (const auto file = reader.find(
                root, {QStringLiteral("Scenarios"), QStringLiteral("(Current state).scn")},
                false)) {
        if (const std::optional<QString> text = reader.text(*file, limits.scenarioSize))
            scenario = Orbiter::readScenario(*text);
    }
    installation.system = scenario.system.isEmpty() ? QStringLiteral("Sol") : scenario.system;
    installation.vessels = scenario.vessels;

    const Place config = root.below(reader.entry(root, u"Config")->name);
    const auto configFile = [&](const QString &stem) -> std::optional<QString> {
        const auto file = reader.find(config, {stem + QStringLiteral(".cfg")}, false);
        return file ? reader.text(*file, limits.fileSize) : std::nullopt;
    };
    const std::optional<QString> system = configFile(installation.system);
    const QStringList stems = system ? Orbiter::systemBodies(*system) : QStringList();
    // A system file may name a body twice; each body and folder is read once.
    QSet<QString> stemsRead, names, folders;
    for (const QString &stem : stems) {
        if (stemsRead.contains(casefold(stem)))
            continue;
        stemsRead.insert(casefold(stem));
        const std::optional<QString> text = configFile(stem);
        const Orbiter::BodyFile file = text ? Orbiter::readBody(*text) : Orbiter::BodyFile();
        OrbiterBody body{file.name.isEmpty() ? stem : file.name, {}};
        if (names.contains(casefold(body.name)))
            continue;
        names.insert(casefold(body.name));
        QList<QStringList> lists;
        for (const QString &folder : file.baseFolders)
            lists.append(cleanParts(QString(folder).replace(u'\\', u'/')));
        if (!file.listsBases)
            lists.append({body.name, QStringLiteral("Base")});
        for (const QStringList &parts : std::as_const(lists)) {
            const std::optional<Place> folder = reader.find(config, parts, true);
            if (folder && !folders.contains(casefold(folder->path()))) {
                folders.insert(casefold(folder->path()));
                readBases(reader, *folder, body, limits);
            }
        }
        for (const QString &stem : file.baseFiles) {
            if (const auto base = reader.find(config, {stem + QStringLiteral(".cfg")}, false))
                readBase(reader, *base, body, limits);
        }
        installation.bodies.append(std::move(body));
    }
    return installation;
}
