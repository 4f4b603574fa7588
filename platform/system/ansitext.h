// SPDX-License-Identifier: MIT

// 8-bit text as the Windows tool reads and writes it: in the system's ANSI code page on
// Windows (Windows-1252 in the West, Windows-1251 for Cyrillic, ...), and in Windows-1252,
// the code page of most systems it ran on, elsewhere. In a code page of single bytes every
// byte decodes to some character and encodes back to the same byte, so files pass through
// unchanged.
#pragma once

#include <QByteArray>
#include <QString>

namespace Platform {

QString decodeAnsi(QByteArrayView bytes);

// Index of the first character the code page cannot hold, or -1.
qsizetype firstUnencodable(QStringView text);

// Characters the code page cannot hold come out as "?"; check with firstUnencodable first.
QByteArray encodeAnsi(QStringView text);

} // namespace Platform
