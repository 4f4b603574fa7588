// SPDX-License-Identifier: MIT

#include "pathrules.h"

#include <cstring>

namespace Platform {

QStringList decodeArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(decodeFileName(argv[i]));
    return arguments;
}

void dropProgramFolder(int argc, char *argv[])
{
    if (argc < 1 || argv[0] == nullptr)
        return;
    if (char *slash = std::strrchr(argv[0], '/'); slash != nullptr && slash[1] != '\0')
        argv[0] = slash + 1;
}

bool isPlainFileName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

} // namespace Platform
