#include "profiledocument.h"

#include "ansitext.h"

#include <algorithm>
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
    // 8-bit text from Windows holds no NUL byte; UTF-16 without a mark holds many.
    if (bytes.contains('\0')) {
        *name = QStringLiteral("text with NUL bytes, as UTF-16 without a byte-order mark is");
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
