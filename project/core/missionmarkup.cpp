// SPDX-License-Identifier: MIT

#include "missionmarkup.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include "ansitext.h"
#include "pathrules.h"

namespace MissionMarkup {

namespace {

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// What may stand between "&" and ";" of a reference; anything else is no reference, which
// the parser reports itself.
bool isNameCharacter(QChar c)
{
    return !isSpace(c) && c != u'&' && c != u';' && c != u'<' && c != u'>' && c != u'"'
            && c != u'\'' && c != u'%';
}

bool isPredefined(QStringView name)
{
    return name == u"lt" || name == u"gt" || name == u"amp" || name == u"apos" || name == u"quot";
}

// Lines as the parser counts them: a CR LF, a lone CR and a lone LF end one each.
class LineCounter
{
public:
    explicit LineCounter(QStringView text) : m_text(text) { }
    // Positions asked for only grow, so that counting stays one pass over the text.
    qint64 lineAt(qsizetype at)
    {
        for (; m_at < at && m_at < m_text.size(); ++m_at) {
            const QChar c = m_text[m_at];
            if (c == u'\n'
                || (c == u'\r' && (m_at + 1 == m_text.size() || m_text[m_at + 1] != u'\n')))
                ++m_line;
        }
        return m_line;
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
    qint64 m_line = 1;
};

// An entity's replacement text is its literal with the character references in it resolved;
// the references to other entities in it stay, to be expanded where it is used.
QString replacementText(QStringView literal)
{
    QString text;
    text.reserve(literal.size());
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] == u'&' && i + 2 < literal.size() && literal[i + 1] == u'#') {
            const qsizetype end = literal.indexOf(u';', i + 2);
            const bool hex = literal[i + 2] == u'x';
            bool ok = false;
            const uint code = end < 0
                    ? 0
                    : literal.sliced(i + 2 + hex, end - i - 2 - hex).toUInt(&ok, hex ? 16 : 10);
            if (ok && QChar::requiresSurrogates(code) && code <= QChar::LastValidCodePoint) {
                text += QChar(QChar::highSurrogate(code));
                text += QChar(QChar::lowSurrogate(code));
                i = end;
                continue;
            }
            if (ok && code <= 0xFFFF) {
                text += QChar(char16_t(code));
                i = end;
                continue;
            }
        }
        text += literal[i];
    }
    return text;
}

class Scan
{
public:
    Scan(QStringView text, QList<MissionOddity> *outside)
        : m_text(text), m_lines(text), m_outside(outside)
    { }

    bool run(MissionOddity *refusal);

private:
    struct Entity
    {
        QString text;
        bool outside = false;
        bool noted = false;
        bool expanding = false;
        qint64 size = -1; // expanded, once known
    };

    bool refuse(qsizetype at, const QString &reason)
    {
        m_refusal = {m_lines.lineAt(at), reason};
        return false;
    }
    bool startsWith(qsizetype at, QStringView what) const
    {
        return m_text.sliced(at).startsWith(what);
    }
    // Just past the next occurrence of what, or the end of the text.
    qsizetype after(QStringView what, qsizetype from) const
    {
        const qsizetype found = m_text.indexOf(what, from);
        return found < 0 ? m_text.size() : found + what.size();
    }
    // Just past the ">" that closes a declaration, quoted literals skipped.
    qsizetype declarationEnd(qsizetype from) const
    {
        for (qsizetype i = from; i < m_text.size(); ++i) {
            if (m_text[i] == u'"' || m_text[i] == u'\'') {
                const qsizetype close = m_text.indexOf(m_text[i], i + 1);
                if (close < 0)
                    break;
                i = close;
            } else if (m_text[i] == u'>') {
                return i + 1;
            }
        }
        return m_text.size();
    }

    bool markup();
    bool startTag();
    bool documentType();
    bool entityDeclaration(qsizetype start);
    bool reference(qsizetype at);
    // -1 once refused.
    qint64 expandedSize(const QString &name, int nesting, qsizetype at);

    QStringView m_text;
    LineCounter m_lines;
    QList<MissionOddity> *m_outside;
    MissionOddity m_refusal;
    qsizetype m_at = 0;
    int m_depth = 0;
    int m_elements = 0;
    int m_declarations = 0;
    int m_references = 0;
    qint64 m_entityText = 0;
    QHash<QString, Entity> m_entities;
};

bool Scan::run(MissionOddity *refusal)
{
    bool fine = true;
    while (fine && m_at < m_text.size()) {
        const QChar c = m_text[m_at];
        if (c == u'<') {
            fine = markup();
        } else {
            fine = c != u'&' || reference(m_at);
            ++m_at;
        }
    }
    if (!fine)
        *refusal = m_refusal;
    return fine;
}

bool Scan::markup()
{
    const qsizetype start = m_at;
    if (startsWith(start, u"<!--")) {
        m_at = after(u"-->", start + 4);
    } else if (startsWith(start, u"<![CDATA[")) {
        m_at = after(u"]]>", start + 9);
    } else if (startsWith(start, u"<?")) {
        m_at = after(u"?>", start + 2);
    } else if (startsWith(start, u"<!DOCTYPE")) {
        return documentType();
    } else if (startsWith(start, u"<!")) {
        m_at = declarationEnd(start + 2);
    } else if (startsWith(start, u"</")) {
        --m_depth;
        m_at = after(u">", start + 2);
    } else {
        return startTag();
    }
    return true;
}

bool Scan::startTag()
{
    const qsizetype start = m_at;
    if (++m_elements > ElementLimit) {
        return refuse(start,
                      QStringLiteral("more than %1 elements, far more than a mission holds")
                              .arg(ElementLimit));
    }
    int attributes = 0;
    qsizetype i = start + 1;
    while (i < m_text.size() && m_text[i] != u'>') {
        const QChar c = m_text[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype close = m_text.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? m_text.size() : close;
            for (qsizetype r = m_text.indexOf(u'&', i + 1); r >= 0 && r < end;
                 r = m_text.indexOf(u'&', r + 1)) {
                if (!reference(r))
                    return false;
            }
            i = end + 1;
            continue;
        }
        // The parser compares each attribute's name with all before it.
        if (c == u'=' && ++attributes > AttributeLimit) {
            return refuse(
                    start,
                    QStringLiteral("an element with more than %1 attributes").arg(AttributeLimit));
        }
        ++i;
    }
    const bool empty = i < m_text.size() && m_text[i - 1] == u'/';
    m_at = i + 1;
    if (!empty && ++m_depth > DepthLimit)
        return refuse(start, QStringLiteral("elements nested more than %1 deep").arg(DepthLimit));
    return true;
}

bool Scan::documentType()
{
    qsizetype i = m_at + 9;
    while (i < m_text.size()) {
        const QChar c = m_text[i];
        if (c == u'>') {
            m_at = i + 1;
            return true;
        }
        if (c == u'"' || c == u'\'') {
            const qsizetype close = m_text.indexOf(c, i + 1);
            i = close < 0 ? m_text.size() : close + 1;
            continue;
        }
        if (c != u'[') {
            ++i;
            continue;
        }
        // The internal subset, up to its "]".
        for (++i; i < m_text.size() && m_text[i] != u']';) {
            if (m_text[i] == u'%') {
                return refuse(i,
                              QStringLiteral("a parameter entity reference, which a mission "
                                             "file has no use for"));
            }
            if (m_text[i] != u'<') {
                ++i;
            } else if (startsWith(i, u"<!--")) {
                i = after(u"-->", i + 4);
            } else if (startsWith(i, u"<?")) {
                i = after(u"?>", i + 2);
            } else if (++m_declarations > DeclarationLimit) {
                return refuse(i,
                              QStringLiteral("more than %1 declarations, which a mission file "
                                             "has no use for")
                                      .arg(DeclarationLimit));
            } else if (startsWith(i, u"<!ATTLIST")) {
                // Default attributes would be added to elements beyond what the text shows.
                return refuse(i,
                              QStringLiteral("an attribute list declaration, which a mission "
                                             "file has no use for"));
            } else if (startsWith(i, u"<!ENTITY")) {
                if (!entityDeclaration(i))
                    return false;
                i = m_at;
            } else {
                i = declarationEnd(i + 2);
            }
        }
        ++i;
    }
    m_at = m_text.size();
    return true;
}

bool Scan::entityDeclaration(qsizetype start)
{
    qsizetype i = start + 8;
    while (i < m_text.size() && isSpace(m_text[i]))
        ++i;
    if (i < m_text.size() && m_text[i] == u'%') {
        return refuse(start,
                      QStringLiteral("a parameter entity, which a mission file has no use for"));
    }
    const qsizetype nameStart = i;
    while (i < m_text.size() && !isSpace(m_text[i]) && m_text[i] != u'>')
        ++i;
    const QString name = m_text.sliced(nameStart, i - nameStart).toString();
    while (i < m_text.size() && isSpace(m_text[i]))
        ++i;
    Entity entity;
    if (i < m_text.size() && (m_text[i] == u'"' || m_text[i] == u'\'')) {
        const qsizetype close = m_text.indexOf(m_text[i], i + 1);
        const qsizetype end = close < 0 ? m_text.size() : close;
        entity.text = replacementText(m_text.sliced(i + 1, end - i - 1));
        if (entity.text.contains(u'<')) {
            return refuse(start,
                          QStringLiteral("the entity \"%1\" holds markup, which a mission file "
                                         "has no use for")
                                  .arg(Platform::printableName(name)));
        }
        i = end + 1;
    } else {
        entity.outside = true;
    }
    m_at = declarationEnd(qMin(i, m_text.size()));
    // The first declaration of a name is the one that holds.
    if (!m_entities.contains(name))
        m_entities.insert(name, entity);
    return true;
}

bool Scan::reference(qsizetype at)
{
    if (at + 1 < m_text.size() && m_text[at + 1] == u'#')
        return true;
    qsizetype end = at + 1;
    while (end < m_text.size() && isNameCharacter(m_text[end]))
        ++end;
    if (end == at + 1 || end == m_text.size() || m_text[end] != u';')
        return true;
    const QString name = m_text.sliced(at + 1, end - at - 1).toString();
    // A predefined entity stands for one character, fewer than its reference takes.
    if (!m_entities.contains(name))
        return true;
    if (++m_references > EntityReferenceLimit) {
        return refuse(at,
                      QStringLiteral("more than %1 entity references, far more than a mission "
                                     "holds")
                              .arg(EntityReferenceLimit));
    }
    const qint64 size = expandedSize(name, 0, at);
    if (size < 0)
        return false;
    m_entityText += size;
    if (m_entityText > EntityTextLimit) {
        return refuse(at,
                      QStringLiteral("the entities expand to more than %1 characters, far more "
                                     "than a mission holds")
                              .arg(EntityTextLimit));
    }
    return true;
}

qint64 Scan::expandedSize(const QString &name, int nesting, qsizetype at)
{
    const auto found = m_entities.find(name);
    if (found == m_entities.end())
        return isPredefined(name) ? 1 : 0; // an undeclared one the parser refuses
    Entity &entity = found.value();
    if (entity.outside) {
        if (!entity.noted) {
            m_outside->append({m_lines.lineAt(at),
                               QStringLiteral("the entity \"%1\" stands for an outside file, "
                                              "which is not read")
                                       .arg(Platform::printableName(name))});
            entity.noted = true;
        }
        return 0;
    }
    if (entity.size >= 0)
        return entity.size;
    if (entity.expanding)
        return 0; // the parser refuses an entity that contains itself
    if (nesting >= EntityNestingLimit) {
        refuse(at, QStringLiteral("entities nested more than %1 deep").arg(EntityNestingLimit));
        return -1;
    }
    entity.expanding = true;
    // Expanding adds no entity, so that the reference into the table stays valid.
    const QString text = entity.text;
    qint64 size = 0;
    qsizetype semicolon = 0; // the next after a reference's start, -1 once there is none
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && semicolon >= 0 && semicolon <= i)
            semicolon = text.indexOf(u';', i + 1);
        const qsizetype end = text[i] == u'&' ? semicolon : -1;
        if (end < 0 || text[i + 1] == u'#') {
            ++size;
            continue;
        }
        const qint64 inner = expandedSize(text.sliced(i + 1, end - i - 1), nesting + 1, at);
        if (inner < 0)
            return -1;
        size = qMin(size + inner, EntityTextLimit + 1);
        i = end;
    }
    entity.expanding = false;
    entity.size = size;
    return size;
}

} // namespace

bool decode(const QByteArray &bytes, QString *text, MissionOddity *error)
{
    static const QRegularExpression declared(
            QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']\s*(utf-(8|16|32)))"),
            QRegularExpression::CaseInsensitiveOption);
    std::optional<QStringConverter::Encoding> encoding =
            QStringConverter::encodingForData(bytes, u'<');
    // A declaration read as 8-bit text stands in bytes only UTF-8 can have.
    if (!encoding && declared.match(QString::fromLatin1(bytes.left(200))).hasMatch())
        encoding = QStringConverter::Utf8;
    if (!encoding) {
        *text = Platform::decodeAnsi(bytes);
        return true;
    }
    QStringDecoder decoder(*encoding);
    *text = decoder(bytes);
    if (!decoder.hasError())
        return true;
    LineCounter lines(*text);
    *error = {0,
              QStringLiteral("not well-formed XML: Encountered incorrectly encoded content. "
                             "(line %1)")
                      .arg(lines.lineAt(text->indexOf(QChar::ReplacementCharacter)))};
    return false;
}

bool check(QStringView text, QList<MissionOddity> *outsideEntities, MissionOddity *refusal)
{
    return Scan(text, outsideEntities).run(refusal);
}

} // namespace MissionMarkup
