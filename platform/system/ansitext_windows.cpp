// SPDX-License-Identifier: MIT

#include "ansitext.h"

#include <windows.h>

#include <QHash>

#include <array>

namespace Platform {

namespace {

// The system's ANSI code page as a table when each of its characters is one byte, as the
// Western and Cyrillic ones are: every byte decodes, and encodes back to itself.
struct CodePage
{
    UINT number = CP_ACP;
    bool singleByte = false;
    std::array<char16_t, 256> decoded{};
    QHash<char16_t, char> encoded;
};

const CodePage &codePage()
{
    static const CodePage page = [] {
        CodePage made;
        made.number = ::GetACP();
        CPINFO info;
        made.singleByte = ::GetCPInfo(made.number, &info) && info.MaxCharSize == 1;
        for (int byte = 255; made.singleByte && byte >= 0; --byte) {
            const char c = char(byte);
            wchar_t wide = 0;
            if (::MultiByteToWideChar(made.number, 0, &c, 1, &wide, 1) != 1)
                wide = wchar_t(byte);
            made.decoded[std::size_t(byte)] = char16_t(wide);
            made.encoded.insert(char16_t(wide), c);
        }
        return made;
    }();
    return page;
}

// UTF-8 as the system's code page (a choice Windows 10 offers) takes neither the flag nor a
// default character, and holds every character anyway.
bool isUtf8() { return codePage().number == CP_UTF8; }
DWORD noBestFit() { return isUtf8() ? 0 : WC_NO_BEST_FIT_CHARS; }

int encodedLength(QStringView text)
{
    BOOL lost = FALSE;
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int n = ::WideCharToMultiByte(codePage().number, noBestFit(), wide, int(text.size()),
                                        nullptr, 0, nullptr, isUtf8() ? nullptr : &lost);
    return lost || n == 0 ? -1 : n;
}

} // namespace

QString decodeAnsi(QByteArrayView bytes)
{
    const CodePage &page = codePage();
    if (page.singleByte) {
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            text[i] = QChar(page.decoded[static_cast<unsigned char>(bytes[i])]);
        return text;
    }
    if (bytes.isEmpty())
        return {};
    const int n =
            ::MultiByteToWideChar(page.number, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    QString text(n, Qt::Uninitialized);
    ::MultiByteToWideChar(page.number, 0, bytes.data(), int(bytes.size()),
                          reinterpret_cast<wchar_t *>(text.data()), n);
    return text;
}

qsizetype firstUnencodable(QStringView text)
{
    const CodePage &page = codePage();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        const bool known = page.singleByte ? page.encoded.contains(text[i].unicode())
                                           : encodedLength(text.sliced(i, pair ? 2 : 1)) > 0;
        if (!known)
            return i;
        i += !page.singleByte && pair ? 1 : 0;
    }
    return -1;
}

QByteArray encodeAnsi(QStringView text)
{
    const CodePage &page = codePage();
    if (page.singleByte) {
        QByteArray bytes(text.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            bytes[i] = page.encoded.value(text[i].unicode(), '?');
        return bytes;
    }
    if (text.isEmpty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const char *replacement = isUtf8() ? nullptr : "?";
    const int n = ::WideCharToMultiByte(page.number, noBestFit(), wide, int(text.size()), nullptr,
                                        0, replacement, nullptr);
    QByteArray bytes(n, Qt::Uninitialized);
    ::WideCharToMultiByte(page.number, noBestFit(), wide, int(text.size()), bytes.data(), n,
                          replacement, nullptr);
    return bytes;
}

} // namespace Platform
