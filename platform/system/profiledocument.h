// SPDX-License-Identifier: MIT

// A profile (INI) file held in memory, read and edited as the Windows profile functions
// do: names match without regard to case, values come back trimmed and unquoted, the first
// duplicate wins, and an edit changes only what it must, leaving every other byte as it was.
// An edit that would leave the file in two encodings is refused. Bytes in, bytes out;
// storing the file is the caller's business.
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
    // The same for this file, whose encoding may not take the text.
    QString writeRefusal(QStringView section, QStringView key, QStringView value) const;
    // Stores the value; false (and nothing changed) when writeRefusal() has a reason.
    bool setValue(QStringView section, QStringView key, QStringView value);

    // The text after "=" that reads back as exactly this value.
    static QString storedForm(QStringView value);

private:
    // The file is kept as one text; only its headers and keys are listed, by where they
    // stand in it, so that a file of many blank or odd lines costs no more than its text.
    struct Entry
    {
        qsizetype start = 0;  // of the line
        qsizetype length = 0; // without the line end
        qint32 nameStart = 0; // of the trimmed name, from the line's start
        qint32 nameLength = 0;
        quint8 endLength = 0; // 2 for CR LF, 1 for CR or LF, 0 for a last line without one
        bool header = false;
    };
    static bool classify(QStringView line, bool first, Entry *entry);
    QStringView lineText(const Entry &entry) const
    {
        return QStringView(m_text).sliced(entry.start, entry.length);
    }
    QStringView name(const Entry &entry) const
    {
        return lineText(entry).sliced(entry.nameStart, entry.nameLength);
    }
    struct Span
    {
        qsizetype header = -1;  // the section's header entry, -1 when missing
        qsizetype key = -1;     // the key's entry, -1 when missing
        qsizetype lastKey = -1; // the section's last key entry, -1 when it has none
    };
    Span find(QStringView section, QStringView key) const;
    // Replaces part of the text and moves the entries after it along.
    void replace(qsizetype at, qsizetype length, const QString &text, qsizetype firstMoved);

    // How the file's bytes are text. A file marked as UTF-8 is read as 8-bit text and takes
    // only ASCII, which is the same in both; any other mark is read as 8-bit text and never
    // written.
    enum class Encoding { Ansi, Utf16Le, Utf8Marked, Foreign };
    static Encoding encodingOf(const QByteArray &bytes, QString *name);

    QString m_text;
    QList<Entry> m_entries;
    Encoding m_encoding = Encoding::Ansi;
    bool m_utf16 = false;      // the bytes are UTF-16LE, whatever the mark says beyond FF FE
    QString m_encodingName;    // of a foreign mark
    QByteArray m_trailingByte; // an odd last byte of a UTF-16 file, kept as it was
};
