// SPDX-License-Identifier: MIT

#include "orbiterfiles.h"

#include <QHash>
#include <QStringDecoder>

#include "codepage1252.h"

namespace Orbiter {

namespace {

// The simulator ends its lists at the first missing number; a hostile file with a huge one
// cannot make the loop long.
constexpr int MaxNumber = 1000;

// A line without its comment and line end, trimmed.
QStringView content(QStringView line)
{
    if (const qsizetype comment = line.indexOf(u';'); comment >= 0)
        line.truncate(comment);
    return line.trimmed();
}

QList<QStringView> lines(const QString &text)
{
    QList<QStringView> result;
    for (const QStringView line : QStringTokenizer(text, u'\n'))
        result.append(content(line));
    return result;
}

bool isTag(QStringView line, QStringView tag)
{
    return line.compare(tag, Qt::CaseInsensitive) == 0;
}

QList<QStringView> words(QStringView line)
{
    QList<QStringView> result;
    for (const QStringView word : QStringTokenizer(line, u' ')) {
        for (const QStringView part : QStringTokenizer(word, u'\t')) {
            if (!part.isEmpty())
                result.append(part);
        }
    }
    return result;
}

// "Key = Value" outside any block; keys without regard to case, the first one counting.
class Keys
{
public:
    explicit Keys(const QList<QStringView> &lines)
    {
        bool inBlock = false;
        for (const QStringView line : lines) {
            if (line.startsWith(u"BEGIN_", Qt::CaseInsensitive))
                inBlock = true;
            else if (line.startsWith(u"END_", Qt::CaseInsensitive))
                inBlock = false;
            else if (const qsizetype equals = line.indexOf(u'='); !inBlock && equals > 0) {
                const QString key = line.left(equals).trimmed().toString().toCaseFolded();
                if (!m_values.contains(key))
                    m_values.insert(key, line.sliced(equals + 1).trimmed().toString());
            }
        }
    }
    std::optional<QString> value(const QString &key) const
    {
        const auto found = m_values.constFind(key.toCaseFolded());
        return found == m_values.cend() ? std::nullopt : std::optional(found.value());
    }

private:
    QHash<QString, QString> m_values;
};

// The objects a base file may list; the simulator stops reading the list at any other.
bool isBaseObject(QStringView keyword)
{
    static constexpr const char16_t *Known[] = {
            u"BLOCK",       u"HANGAR",     u"HANGAR2", u"HANGAR3",      u"TANK",   u"LPAD1",
            u"LPAD2",       u"LPAD2A",     u"RUNWAY",  u"RUNWAYLIGHTS", u"TRAIN1", u"TRAIN2",
            u"BEACONARRAY", u"SOLARPLANT", u"MESH",    u"SHUTTLETANK",
    };
    for (const char16_t *known : Known) {
        if (keyword.compare(QStringView(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QString decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? Platform::decodeWindows1252(bytes) : text;
}

QStringList systemBodies(const QString &text)
{
    const Keys keys(lines(text));
    QStringList bodies;
    for (int planet = 1; planet <= MaxNumber; ++planet) {
        const std::optional<QString> stem = keys.value(QStringLiteral("Planet%1").arg(planet));
        if (!stem)
            break;
        bodies.append(*stem);
        for (int moon = 1; moon <= MaxNumber; ++moon) {
            const std::optional<QString> moonStem =
                    keys.value(QStringLiteral("%1:Moon%2").arg(*stem).arg(moon));
            if (!moonStem)
                break;
            bodies.append(*moonStem);
        }
    }
    return bodies;
}

BodyFile readBody(const QString &text)
{
    const QList<QStringView> all = lines(text);
    BodyFile body{Keys(all).value(QStringLiteral("Name")).value_or(QString()), false, {}, {}};
    bool inList = false;
    for (const QStringView line : all) {
        if (isTag(line, u"BEGIN_SURFBASE")) {
            inList = body.listsBases = true;
        } else if (isTag(line, u"END_SURFBASE")) {
            inList = false;
        } else if (const QList<QStringView> w = words(line); !inList || w.isEmpty()) {
            continue;
        } else if (isTag(w[0], u"DIR") && w.size() >= 2) {
            // The folder's name may hold blanks; what follows it is the simulator's options.
            QStringView folder = line.sliced(w[1].data() - line.data());
            for (const QStringView option : {u" PERIOD", u" CONTEXT"}) {
                if (const qsizetype at = folder.indexOf(option, 0, Qt::CaseInsensitive); at >= 0)
                    folder.truncate(at);
            }
            body.baseFolders.append(folder.trimmed().toString());
        } else if (const qsizetype colon = line.indexOf(u':'); colon > 0) {
            body.baseFiles.append(line.left(colon).trimmed().toString());
        }
    }
    return body;
}

std::optional<Base> readBase(const QString &text, const QString &fallbackName)
{
    const QList<QStringView> all = lines(text);
    const auto first =
            std::find_if(all.begin(), all.end(), [](QStringView line) { return !line.isEmpty(); });
    if (first == all.end() || !first->startsWith(u"BASE-V2.0", Qt::CaseInsensitive))
        return std::nullopt;
    Base base{Keys(all).value(QStringLiteral("Name")).value_or(fallbackName), 0, {}};
    if (base.name.isEmpty())
        base.name = fallbackName;

    enum { Outside, Beacons, Objects, InObject } where = Outside;
    QStringView object;
    for (const QStringView line : all) {
        const QList<QStringView> w = words(line);
        if (w.isEmpty())
            continue;
        switch (where) {
        case Outside:
            if (isTag(line, u"BEGIN_NAVBEACON"))
                where = Beacons;
            else if (isTag(line, u"BEGIN_OBJECTLIST"))
                where = Objects;
            break;
        case Beacons:
            if (isTag(line, u"END_NAVBEACON"))
                where = Outside;
            else if (isTag(w[0], u"VOR") && w.size() >= 5)
                base.beacons.append({QStringLiteral("VOR"), w[1].toString(), w[4].toString()});
            break;
        case Objects:
            if (isTag(line, u"END_OBJECTLIST") || !isBaseObject(w[0])) {
                where = Outside;
                break;
            }
            object = w[0];
            where = InObject;
            if (object.startsWith(u"LPAD", Qt::CaseInsensitive))
                ++base.pads;
            break;
        case InObject:
            if (isTag(w[0], u"END")) {
                where = Objects;
            } else if (w.size() >= 2 && isTag(w[0], u"NAV")
                       && object.startsWith(u"LPAD", Qt::CaseInsensitive)) {
                base.beacons.append(
                        {QStringLiteral("NAV"), QString::number(base.pads), w[1].toString()});
            } else if (w.size() >= 2 && (isTag(w[0], u"ILS1") || isTag(w[0], u"ILS2"))
                       && isTag(object, u"RUNWAY")) {
                base.beacons.append({w[0].toString().toUpper(), QString(), w[1].toString()});
            }
            break;
        }
    }
    return base;
}

Scenario readScenario(const QString &text)
{
    Scenario scenario;
    enum { Outside, Environment, Ships, InShip } where = Outside;
    for (const QStringView line : lines(text)) {
        if (line.isEmpty())
            continue;
        switch (where) {
        case Outside:
            if (isTag(line, u"BEGIN_ENVIRONMENT"))
                where = Environment;
            else if (isTag(line, u"BEGIN_SHIPS"))
                where = Ships;
            break;
        case Environment:
            if (isTag(line, u"END_ENVIRONMENT"))
                where = Outside;
            else if (const QList<QStringView> w = words(line);
                     scenario.system.isEmpty() && w.size() >= 2 && isTag(w[0], u"System"))
                scenario.system = w[1].toString();
            break;
        case Ships:
            if (isTag(line, u"END_SHIPS")) {
                where = Outside;
                break;
            }
            if (const qsizetype colon = line.indexOf(u':'); colon >= 0) {
                scenario.vessels.append({line.left(colon).trimmed().toString(),
                                         line.sliced(colon + 1).trimmed().toString()});
            } else {
                scenario.vessels.append({line.toString(), line.toString()});
            }
            where = InShip;
            break;
        case InShip:
            if (isTag(line, u"END"))
                where = Ships;
            break;
        }
    }
    return scenario;
}

} // namespace Orbiter
