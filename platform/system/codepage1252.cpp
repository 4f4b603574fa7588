// SPDX-License-Identifier: MIT

#include "codepage1252.h"

#include <algorithm>
#include <array>

namespace Platform {

namespace {

// Bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to the C1 control of
// the same value, as Windows' own conversion does.
constexpr std::array<char16_t, 32> HighControls = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? HighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const auto found = std::find(HighControls.begin(), HighControls.end(), c);
    return found == HighControls.end() ? -1 : int(0x80 + (found - HighControls.begin()));
}

} // namespace Platform
