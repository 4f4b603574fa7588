// SPDX-License-Identifier: MIT

// A profile (INI) file held in memory, read and edited as the Windows profile functions
// do: names match without regard to case, values come back trimmed and unquoted, the first
// duplicate wins, and an edit changes only what it must, leaving every other byte as it was.
// Bytes in, bytes out; storing the file is the caller's business.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ProfileDocument
{
public:
    // 8-bit text in the ANSI code page, or UTF-16LE when the bytes start with FF FE.
    static ProfileDocument fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    // The stored value, or empty text when the section or key is missing.
    QString value(QStringView section, QStringView key) const;

    // Why a value cannot be stored under this section and key, or empty text if it can.
    static QString refusal(QStringView section, QStringView key, QStringView value);
    // Stores the value; false (and nothing changed) when refusal() has a reason.
    bool setValue(QStringView section, QStringView key, QStringView value);

    // The text after "=" that reads back as exactly this value.
    static QString storedForm(QStringView value);

private:
    enum class Kind { Blank, Comment, Header, Key, Other };
    struct Line
    {
        QString text;
        QString end; // "\r\n", "\n", "\r", or empty for a last line without one
        Kind kind = Kind::Blank;
        QString name; // of a header or key, trimmed
    };
    static Line makeLine(QString text, QString end, bool first);
    struct Span
    {
        qsizetype header = -1;  // the section's header line, -1 when missing
        qsizetype key = -1;     // the key's line, -1 when missing
        qsizetype lastKey = -1; // the section's last key line, -1 when it has none
    };
    Span find(QStringView section, QStringView key) const;
    void ensureLastLineEnds();

    QList<Line> m_lines;
    bool m_utf16 = false;
    QByteArray m_trailingByte; // an odd last byte of a UTF-16 file, kept as it was
};
