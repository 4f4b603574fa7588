// SPDX-License-Identifier: MIT

#include "pathrules.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

namespace Platform {

namespace {

// Names Windows keeps for devices, with or without an extension.
bool isReservedName(QStringView name)
{
    const QStringView stem = name.left(name.indexOf(u'.')).trimmed();
    static const QStringList devices{QStringLiteral("CON"),    QStringLiteral("PRN"),
                                     QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                     QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    for (const QString &device : devices) {
        if (stem.compare(device, Qt::CaseInsensitive) == 0)
            return true;
    }
    // COM0 to COM9 and LPT0 to LPT9, the superscript digits included.
    static const QString digits = QStringLiteral("0123456789\u00B9\u00B2\u00B3");
    return stem.size() == 4
            && (stem.startsWith(u"COM", Qt::CaseInsensitive)
                || stem.startsWith(u"LPT", Qt::CaseInsensitive))
            && digits.contains(stem[3]);
}

} // namespace

// The command line as the system holds it, in UTF-16: the 8-bit argv of a Windows program
// has lost every character outside the code page.
QStringList decodeArguments(int argc, char *argv[])
{
    int count = 0;
    wchar_t **wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {
        if (wide != nullptr)
            ::LocalFree(wide);
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        return arguments;
    }
    QStringList arguments;
    for (int i = 0; i < count; ++i)
        arguments.append(QString::fromWCharArray(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void dropProgramFolder(int argc, char *argv[])
{
    if (argc < 1 || argv[0] == nullptr)
        return;
    for (char *end = argv[0]; *end != '\0'; ++end) {
        if ((*end == '/' || *end == '\\' || *end == ':') && end[1] != '\0')
            argv[0] = end + 1;
    }
}

bool isPlainFileName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u"<>:\"/\\|?*").contains(c))
            return false;
    }
    return !isReservedName(name);
}

} // namespace Platform
