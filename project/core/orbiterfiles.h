// SPDX-License-Identifier: MIT

// The simulator's own text files, read for the names they give: the planetary system (its
// planets and moons), a body's file (its name and where its surface bases are), a base's file
// (its name, pads and beacons) and a scenario (its system and vessels). Bytes in, names out;
// nothing here touches a file.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Orbiter {

// A file's text: UTF-8 where the bytes are valid UTF-8, else Windows-1252. A byte order mark
// is dropped; line ends stay as they are.
QString decodeText(QByteArrayView bytes);

// The planets and moons of a system file, as the stems of their files in Config: each planet
// followed by its moons, in their numbering, which stops at its first gap.
QStringList systemBodies(const QString &text);

struct BodyFile
{
    QString name;            // empty where the file has none
    bool listsBases = false; // a BEGIN_SURFBASE block; without one, bases are in Config/NAME/Base
    QStringList baseFolders; // of the block's DIR lines, below Config: "Earth\Base"
    QStringList baseFiles;   // of its "NAME: lng lat" lines: the stems of base files in Config
};
BodyFile readBody(const QString &text);

struct Beacon
{
    QString kind;      // "VOR", "NAV" of a pad, "ILS1" or "ILS2" of a runway
    QString id;        // a VOR's identifier, the pad's number, or empty
    QString frequency; // in MHz, as the file gives it
};

struct Base
{
    QString name;
    int pads = 0;
    QList<Beacon> beacons;
};
// A base file, which starts with BASE-V2.0; nothing for any other file. A base without a
// name is named by `fallbackName`, its file's.
std::optional<Base> readBase(const QString &text, const QString &fallbackName);

struct Vessel
{
    QString name;
    QString className;
};
struct Scenario
{
    QString system; // empty where the scenario names none
    QList<Vessel> vessels;
};
Scenario readScenario(const QString &text);

} // namespace Orbiter
