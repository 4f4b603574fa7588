// SPDX-License-Identifier: MIT

// Windows-1252 as a table, on every system: the code page of the program's 8-bit text outside
// Windows, and of files the simulator's users wrote in the West. Every byte decodes; a
// character encodes to the one byte that decodes to it.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace Platform {

QString decodeWindows1252(QByteArrayView bytes);

// The byte of a character, or -1 where the code page has none.
int windows1252Byte(char16_t c);

} // namespace Platform
