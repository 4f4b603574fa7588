// Project files: profile files read and written key by key, the project layout, and
// saving and loading a project through the window's fields.
#pragma once

#include <QString>

// Project files live in this folder below the working directory.
inline constexpr char ProjectFolder[] = "mfc";

// "mfc/NAME.mfc", relative to the working directory.
QString projectFilePath(const QString &fileName);
