// SPDX-License-Identifier: MIT

// The simulator's installation a mission is made for: found by walking up from the mission's
// Directory to the first folder that holds Orbiter.exe (or Orbiter_ng.exe) and Config, then
// read for the names a mission refers to: the planets and moons of the system the last
// flight's scenario names, the surface bases of each with their pads and beacons, and the
// vessels of that flight. File names are matched without regard to case, as on Windows.
// Every read is bounded: a folder, a file or the whole reading past its limit is skipped and
// noted, never waited on.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "orbiterfiles.h"

struct OrbiterBody
{
    QString name;
    QList<Orbiter::Base> bases;
};

struct OrbiterInstallation
{
    QString root;   // the folder found, as the Directory names it; empty where none is
    QString system; // "Sol" unless the scenario names another
    QList<OrbiterBody> bodies;
    QList<Orbiter::Vessel> vessels;
    QStringList skipped; // "PATH: skipped, REASON", one for each file or folder left out
    QString reason;      // where none is found: why the top folder could not be looked in

    bool found() const { return !root.isEmpty(); }
    const OrbiterBody *body(QStringView name) const;
};

// Limits of a reading; a hostile installation meets them, a stock one stays far below.
struct InstallationLimits
{
    int entries = 4096;        // of one folder
    int files = 8192;          // read in all
    qint64 fileSize = 4 << 20; // of a configuration file
    qint64 scenarioSize = 16 << 20;
    qint64 bytes = 16 << 20; // read in all; a stock installation has less than 1 MiB
};

OrbiterInstallation readInstallation(const QString &directory,
                                     const InstallationLimits &limits = {});

const Orbiter::Base *findBase(const OrbiterBody &body, QStringView name);
