// SPDX-License-Identifier: MIT

#include "profiledocument.h"

#include "ansitext.h"

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

} // namespace

ProfileDocument::Line ProfileDocument::makeLine(QString text, QString end, bool first)
{
    Line line{std::move(text), std::move(end)};
    QStringView view = line.text;
    if (first && view.startsWith(Utf8Mark))
        view = view.sliced(Utf8Mark.size());
    view = trimmed(view);
    if (view.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (view.front() == u';') {
        line.kind = Kind::Comment;
    } else if (view.front() == u'[') {
        const QStringView rest = view.sliced(1);
        const qsizetype close = rest.indexOf(u']');
        line.kind = Kind::Header;
        line.name = trimmed(close < 0 ? rest : rest.first(close)).toString();
    } else if (const qsizetype equals = view.indexOf(u'='); equals >= 0) {
        line.kind = Kind::Key;
        line.name = trimmed(view.first(equals)).toString();
    } else {
        line.kind = Kind::Other;
    }
    return line;
}

ProfileDocument ProfileDocument::fromBytes(const QByteArray &bytes)
{
    ProfileDocument doc;
    QString text;
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
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        const qsizetype endLength =
                text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
        doc.m_lines.append(makeLine(text.sliced(start, i - start), text.sliced(i, endLength),
                                    doc.m_lines.isEmpty()));
        i += endLength - 1;
        start = i + 1;
    }
    if (start < text.size())
        doc.m_lines.append(makeLine(text.sliced(start), QString(), doc.m_lines.isEmpty()));
    return doc;
}

QByteArray ProfileDocument::toBytes() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + line.end;
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
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Kind::Header) {
            if (span.header >= 0)
                break; // only the first matching section counts
            if (sameName(line.name, section))
                span.header = i;
        } else if (span.header >= 0 && line.kind == Kind::Key) {
            span.lastKey = i;
            if (span.key < 0 && sameName(line.name, key))
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
    const QString &line = m_lines[span.key].text;
    QStringView value = trimmed(QStringView(line).sliced(line.indexOf(u'=') + 1));
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

void ProfileDocument::ensureLastLineEnds()
{
    if (!m_lines.isEmpty() && m_lines.last().end.isEmpty())
        m_lines.last().end = CrLf;
}

bool ProfileDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    if (!refusal(section, key, value).isEmpty())
        return false;
    const QString stored = storedForm(value);
    const Span span = find(section, key);
    if (span.key >= 0) {
        Line &line = m_lines[span.key];
        line.text = line.text.first(line.text.indexOf(u'=') + 1) + stored;
        line.end = CrLf;
        return true;
    }
    const Line keyLine = makeLine(trimmed(key).toString() + u'=' + stored, CrLf, false);
    if (span.header >= 0) {
        const qsizetype after = span.lastKey >= 0 ? span.lastKey : span.header;
        if (m_lines[after].end.isEmpty())
            m_lines[after].end = CrLf;
        m_lines.insert(after + 1, keyLine);
        return true;
    }
    ensureLastLineEnds();
    m_lines.append(makeLine(u'[' + trimmed(section).toString() + u']', CrLf, m_lines.isEmpty()));
    m_lines.append(keyLine);
    return true;
}
