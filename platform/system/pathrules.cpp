// SPDX-License-Identifier: MIT

#include "pathrules.h"

#include <QDir>

namespace Platform {

namespace {

constexpr char16_t RawByteBase = 0xDC00;

bool isRawByte(char16_t c) { return c >= RawByteBase + 0x80 && c <= RawByteBase + 0xFF; }

// The length of the valid UTF-8 sequence at the start of bytes, or 0.
qsizetype utf8Length(QByteArrayView bytes)
{
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    char32_t minimum = 0;
    char32_t c = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, minimum = 0x80, c = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, minimum = 0x800, c = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, minimum = 0x10000, c = lead & 0x07;
    else
        return 0;
    if (bytes.size() < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (byte(i) & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    return c < minimum || c > 0x10FFFF || surrogate ? 0 : length;
}

// Line and paragraph separators, marks that change the direction of text, and characters
// no one has assigned: a terminal shows them as nothing, or breaks the line.
bool printsNothing(char32_t u)
{
    switch (QChar::category(u)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return false;
    }
}

} // namespace

QChar pathSeparator() { return QDir::separator(); }

QString joinPath(std::initializer_list<QString> parts)
{
    QString joined;
    for (const QString &part : parts) {
        if (&part != parts.begin())
            joined += pathSeparator();
        joined += part;
    }
    return joined;
}

QString workingFolder() { return QDir::toNativeSeparators(QDir::currentPath()); }

QString decodeFileName(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = utf8Length(bytes.sliced(i));
        if (length == 0) {
            name += QChar(char16_t(RawByteBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        name += QString::fromUtf8(bytes.sliced(i, length));
        i += length;
    }
    return name;
}

QByteArray encodeFileName(QStringView name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isRawByte(name[i].unicode()))
            continue;
        bytes += name.sliced(start, i - start).toUtf8();
        bytes += char(name[i].unicode() - RawByteBase);
        start = i + 1;
    }
    return bytes + name.sliced(start).toUtf8();
}

QString printableName(QStringView name)
{
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t u = name[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        switch (u) {
        case U'\n': shown += QStringLiteral("\\n"); continue;
        case U'\r': shown += QStringLiteral("\\r"); continue;
        case U'\t': shown += QStringLiteral("\\t"); continue;
        default: break;
        }
        const bool control = u < 0x20 || (u >= 0x7F && u < 0xA0);
        const bool raw = u <= 0xFFFF && isRawByte(char16_t(u));
        if (control || raw) {
            const uint byte = raw ? u - RawByteBase : u;
            shown += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
        } else if (printsNothing(u)) {
            shown += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QChar(u'0'));
        } else {
            shown += QString::fromUcs4(&u, 1);
        }
    }
    return shown;
}

bool isDrivePath(QStringView path)
{
    return path.size() >= 3 && path[0].isLetter() && path[0].unicode() < 0x80 && path[1] == u':'
            && (path[2] == u'\\' || path[2] == u'/');
}

} // namespace Platform
