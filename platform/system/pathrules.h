// SPDX-License-Identifier: MIT

// Path rules of the host system: the separator the program puts between the parts of the
// paths it builds, the folder it works in, how a name in the program's text becomes the bytes the
// system takes, and how a name is shown in a message.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Platform {

// "\" on Windows, "/" elsewhere.
QChar pathSeparator();

// Joins parts with the separator, adding nothing else (a part that already ends in a
// separator gives a doubled one, as users of the Windows tool are used to).
QString joinPath(std::initializer_list<QString> parts);

// The process's working folder, where relative names lead, without a trailing separator.
QString workingFolder();

// File names are bytes to the system and UTF-8 by convention. A byte that is not part of
// valid UTF-8 becomes the lone surrogate U+DC80 + byte, and back again, so that every name
// the system gives (a command-line argument, say) reaches the system unchanged.
QString decodeFileName(QByteArrayView bytes);
QByteArray encodeFileName(QStringView name);

// A program's arguments as the system gave them: by decodeFileName, and on Windows from the
// command line in UTF-16.
QStringList decodeArguments(int argc, char *argv[]);

// Points argv[0] past its folders, so that help texts, which Qt builds from it, name the
// program as command-line tools do ("qavmake", not "build/bin/qavmake").
void dropProgramFolder(int argc, char *argv[]);

// "X:\..." or "X:/...": a path on a drive of Windows, which on other systems leads into the
// Wine prefix.
bool isDrivePath(QStringView path);

// A name as a terminal line can show it: line breaks, tabs and other control characters as
// "\n", "\r", "\t" or "\xHH", the raw bytes of decodeFileName as "\xHH", and characters
// that print nothing (U+2028, ...) as "\uHHHH". A backslash stays as it is, so that Windows
// paths read as typed.
QString printableName(QStringView name);

// A name for a file in a given folder: not empty, not "." or "..", no separator of any
// system and no NUL. On Windows also none of < > : " | ? * or a control character, no dot or
// blank at the end, and not a name the system keeps for a device (CON, NUL, COM1.txt, ...).
bool isPlainFileName(QStringView name);

} // namespace Platform
