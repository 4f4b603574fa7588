// SPDX-License-Identifier: MIT

// Windows drive paths where the simulator runs under Wine, on Linux: "C:\Orbiter\QAV" names
// a place in the Wine prefix ($WINEPREFIX, by default ~/.wine), the drive through its link
// dosdevices/c:, and each further part, split at "\" or "/", matched without regard to case
// as Windows matches names. The text of a path stays as typed; only the file store maps it
// when it reaches the file system.
#pragma once

#include <QString>

namespace Platform {

// The place in this system's files that a drive path names: the parts that are there in the
// case they have there, the others as typed. False, with the reason, where there is no Wine
// prefix or no such drive in it.
bool mapDrivePath(QStringView path, QString *mapped, QString *error);

} // namespace Platform
