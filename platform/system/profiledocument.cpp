// SPDX-License-Identifier: MIT

#include "profiledocument.h"

#include "ansitext.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

const QString CrLf = QStringLiteral("\r\n");
// The UTF-8 byte-order mark as 8-bit text reads it.
const QString Utf8Mark = QStringLiteral("\u00EF\u00BB\u00BF");

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

bool isQuoted(QStringView text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// UTF-16 of the names and keys of a profile, which are mostly ASCII, has a NUL in every other
// byte. Windows takes a file with a few NUL bytes for 8-bit text and keeps them as they are,
// so only NUL bytes at most of the odd or most of the even places of the start count.
bool looksLikeUtf16(QByteArrayView bytes)
{
    const QByteArrayView start = bytes.first(qMin<qsizetype>(bytes.size(), 256));
    std::array<qsizetype, 2> nuls{}, places{};
    for (qsizetype i = 0; i < start.size(); ++i) {
        ++places[std::size_t(i % 2)];
        if (start[i] == '\0')
            ++nuls[std::size_t(i % 2)];
    }
    return 2 * nuls[0] > places[0] || 2 * nuls[1] > places[1];
}

} // namespace

bool ProfileDocument::classify(QStringView line, bool first, Entry *entry)
{
    QStringView view = line;
    if (first && view.startsWith(Utf8Mark))
        view = view.sliced(Utf8Mark.size());
    view = trimmed(view);
    QStringView name;
    if (view.isEmpty() || view.front() == u';') {
        return false;
    } else if (view.front() == u'[') {
        const QStringView rest = view.sliced(1);
        const qsizetype close = rest.indexOf(u']');
        name = trimmed(close < 0 ? rest : rest.first(close));
        entry->header = true;
    } else if (const qsizetype equals = view.indexOf(u'='); equals >= 0) {
        name = trimmed(view.first(equals));
        entry->header = false;
    } else {
        return false;
    }
    entry->nameStart = qint32(name.data() - line.data());
    entry->nameLength = qint32(name.size());
    return true;
}

ProfileDocument::Encoding ProfileDocument::encodingOf(const QByteArray &bytes, QString *name)
{
    using namespace std::string_view_literals;
    // Byte-order marks, longest first where one begins another.
    static constexpr struct
    {
        std::string_view mark;
        const char *name;
    } Foreign[] = {
            {"\x00\x00\xFE\xFF"sv, "UTF-32BE text"},
            {"\xFF\xFE\x00\x00"sv, "UTF-32LE text"},
            {"\xFE\xFF"sv, "UTF-16BE text"},
            {"+/v8"sv, "UTF-7 text"},
            {"+/v9"sv, "UTF-7 text"},
            {"+/v+"sv, "UTF-7 text"},
            {"+/v/"sv, "UTF-7 text"},
            {"\xF7\x64\x4C"sv, "UTF-1 text"},
            {"\xDD\x73\x66\x73"sv, "UTF-EBCDIC text"},
            {"\x0E\xFE\xFF"sv, "SCSU text"},
            {"\xFB\xEE\x28"sv, "BOCU-1 text"},
            {"\x84\x31\x95\x33"sv, "GB 18030 text"},
    };
    for (const auto &foreign : Foreign) {
        if (bytes.startsWith(QByteArrayView(foreign.mark.data(), foreign.mark.size()))) {
            *name = QString::fromLatin1(foreign.name);
            return Encoding::Foreign;
        }
    }
    if (bytes.startsWith("\xFF\xFE"))
        return Encoding::Utf16Le;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Encoding::Utf8Marked;
    if (looksLikeUtf16(bytes)) {
        *name = QStringLiteral("UTF-16 text without a byte-order mark");
        return Encoding::Foreign;
    }
    return Encoding::Ansi;
}

ProfileDocument ProfileDocument::fromBytes(const QByteArray &bytes)
{
    ProfileDocument doc;
    doc.m_encoding = encodingOf(bytes, &doc.m_encodingName);
    QString text;
    // A UTF-32LE mark begins like UTF-16LE; such a file is read as UTF-16LE, as before.
    if (bytes.startsWith("\xFF\xFE")) {
        doc.m_utf16 = true;
        const qsizetype units = (bytes.size() - 2) / 2;
        text.resize(units);
        for (qsizetype i = 0; i < units; ++i) {
            const auto lo = static_cast<unsigned char>(bytes[2 + 2 * i]);
            const auto hi = static_cast<unsigned char>(bytes[3 + 2 * i]);
            text[i] = QChar(char16_t(lo | hi << 8));
        }
        if ((bytes.size() - 2) % 2)
            doc.m_trailingByte = bytes.right(1);
    } else {
        text = Platform::decodeAnsi(bytes);
    }

    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        Entry entry;
        entry.start = start;
        entry.length = end - start;
        entry.endLength = quint8(end == text.size() ? 0
                                         : text[end] == u'\r' && end + 1 < text.size()
                                                 && text[end + 1] == u'\n'
                                         ? 2
                                         : 1);
        if (classify(QStringView(text).sliced(start, end - start), start == 0, &entry))
            doc.m_entries.append(entry);
        start = end + entry.endLength;
    }
    doc.m_text = std::move(text);
    return doc;
}

QByteArray ProfileDocument::toBytes() const
{
    const QString &text = m_text;
    if (!m_utf16)
        return Platform::encodeAnsi(text);
    QByteArray bytes("\xFF\xFE");
    bytes.reserve(2 + 2 * text.size() + 1);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes + m_trailingByte;
}

ProfileDocument::Span ProfileDocument::find(QStringView section, QStringView key) const
{
    section = trimmed(section);
    key = trimmed(key);
    Span span;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        if (entry.header) {
            if (span.header >= 0)
                break; // only the first matching section counts
            if (sameName(name(entry), section))
                span.header = i;
        } else if (span.header >= 0) {
            span.lastKey = i;
            if (span.key < 0 && sameName(name(entry), key))
                span.key = i;
        }
    }
    return span;
}

QString ProfileDocument::value(QStringView section, QStringView key) const
{
    const Span span = find(section, key);
    if (span.key < 0)
        return {};
    const QStringView line = lineText(m_entries[span.key]);
    QStringView value = trimmed(line.sliced(line.indexOf(u'=') + 1));
    if (isQuoted(value))
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

QString ProfileDocument::refusal(QStringView section, QStringView key, QStringView value)
{
    auto hasLineBreak = [](QStringView text) {
        return text.contains(u'\r') || text.contains(u'\n');
    };
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return QStringLiteral("a line break");
    if (section.contains(u']'))
        return QStringLiteral("\"]\" in a section name");
    const QStringView name = trimmed(key);
    if (name.isEmpty())
        return QStringLiteral("an empty key");
    if (name.front() == u';' || name.front() == u'[' || name.contains(u'='))
        return QStringLiteral("a key that could not be read back");
    return {};
}

QString ProfileDocument::storedForm(QStringView value)
{
    const bool blankAtEnd = !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()));
    if (blankAtEnd || isQuoted(value))
        return u'"' + value.toString() + u'"';
    return value.toString();
}

void ProfileDocument::replace(qsizetype at, qsizetype length, const QString &text,
                              qsizetype firstMoved)
{
    // Appending grows the text geometrically; a replace at the end would copy all of it.
    if (at == m_text.size() && length == 0)
        m_text.append(text);
    else
        m_text.replace(at, length, text);
    const qsizetype moved = text.size() - length;
    for (qsizetype i = firstMoved; i < m_entries.size(); ++i)
        m_entries[i].start += moved;
}

QString ProfileDocument::writeRefusal(QStringView section, QStringView key, QStringView value) const
{
    if (QString reason = refusal(section, key, value); !reason.isEmpty())
        return reason;
    switch (m_encoding) {
    case Encoding::Ansi:
    case Encoding::Utf16Le: return {};
    case Encoding::Foreign:
        return QStringLiteral("the file is %1, which this program does not write")
                .arg(m_encodingName);
    case Encoding::Utf8Marked: break;
    }
    const auto ascii = [](QStringView text) {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    };
    if (ascii(section) && ascii(key) && ascii(value))
        return {};
    return QStringLiteral("the file is marked as UTF-8 text, to which this program adds only "
                          "ASCII characters");
}

bool ProfileDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    if (!writeRefusal(section, key, value).isEmpty())
        return false;
    const QString stored = storedForm(value);
    const Span span = find(section, key);
    if (span.key >= 0) {
        // The key keeps its line and spelling; what follows "=" and the line end are new.
        Entry &entry = m_entries[span.key];
        const qsizetype valueStart = lineText(entry).indexOf(u'=') + 1;
        const qsizetype replaced = entry.length - valueStart + entry.endLength;
        entry.length = valueStart + stored.size();
        entry.endLength = 2;
        replace(entry.start + valueStart, replaced, stored + CrLf, span.key + 1);
        return true;
    }

    const QString keyName = trimmed(key).toString();
    Entry keyEntry{0, keyName.size() + 1 + stored.size(), 0, qint32(keyName.size()), 2, false};
    const QString keyLine = keyName + u'=' + stored + CrLf;
    if (span.header >= 0) {
        // After the section's last key, or its header, before comments and blank lines.
        const qsizetype after = span.lastKey >= 0 ? span.lastKey : span.header;
        Entry &previous = m_entries[after];
        qsizetype at = previous.start + previous.length + previous.endLength;
        if (previous.endLength == 0) {
            previous.endLength = 2;
            replace(at, 0, CrLf, after + 1);
            at += 2;
        }
        keyEntry.start = at;
        m_entries.insert(after + 1, keyEntry);
        replace(at, 0, keyLine, after + 2);
        return true;
    }
    if (!m_text.isEmpty() && !m_text.endsWith(u'\r') && !m_text.endsWith(u'\n')) {
        m_text += CrLf;
        // The last line, when listed, now has its end.
        if (!m_entries.isEmpty()) {
            Entry &last = m_entries.last();
            if (last.start + last.length + last.endLength == m_text.size() - 2)
                last.endLength = 2;
        }
    }
    const QString sectionName = trimmed(section).toString();
    Entry header{m_text.size(), sectionName.size() + 2, 1, qint32(sectionName.size()), 2, true};
    // The first line of a file may carry a UTF-8 mark, which never precedes a new section.
    m_text += u'[' + sectionName + u']' + CrLf;
    keyEntry.start = m_text.size();
    m_text += keyLine;
    m_entries.append(header);
    m_entries.append(keyEntry);
    return true;
}
