// SPDX-License-Identifier: MIT

#include "filestore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Platform {

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // A folder in the way would otherwise be reported as a failed rename.
    if (QFileInfo(path).isDir()) {
        *error = QStringLiteral("Is a directory");
        return false;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool readWhole(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        *error = QStringLiteral("Is a directory");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace Platform
