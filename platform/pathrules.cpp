// SPDX-License-Identifier: MIT

#include "pathrules.h"

#include <QCoreApplication>
#include <QDir>

namespace Platform {

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

QString programFolder() { return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()); }

} // namespace Platform
