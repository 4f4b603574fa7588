// SPDX-License-Identifier: MIT

// Every text the program shows the user when something goes wrong.
#pragma once

#include <QString>

struct WriteFailure;

namespace Messages {

QString makeMissionTitle();
QString loadProjectTitle();
QString noFileName();
// A field whose text no file can hold as it stands.
QString unwritableCharacter(const QString &field, const QString &tab, QChar character);
QString writeFailed(const WriteFailure &failure);
QString readFailed(const QString &path, const QString &error);

} // namespace Messages
