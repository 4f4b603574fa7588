// SPDX-License-Identifier: MIT

#include "ansitext.h"

#include "codepage1252.h"

namespace Platform {

QString decodeAnsi(QByteArrayView bytes) { return decodeWindows1252(bytes); }

qsizetype firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (windows1252Byte(text[i].unicode()) < 0)
            return i;
    }
    return -1;
}

QByteArray encodeAnsi(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = windows1252Byte(text[i].unicode());
        bytes[i] = char(b < 0 ? '?' : b);
    }
    return bytes;
}

} // namespace Platform
