// SPDX-License-Identifier: MIT

// Path rules of the host system: the separator the program puts between the parts of
// the paths it builds, and the folder the program itself was started from.
#pragma once

#include <QString>

namespace Platform {

// "\" on Windows, "/" elsewhere.
QChar pathSeparator();

// Joins parts with the separator, adding nothing else (a part that already ends in a
// separator gives a doubled one, as users of the Windows tool are used to).
QString joinPath(std::initializer_list<QString> parts);

// The executable's folder, without a trailing separator.
QString programFolder();

} // namespace Platform
