// SPDX-License-Identifier: MIT

// Storing a file whole: the bytes go to a temporary file beside the target, which then
// replaces it. A failure leaves the old file as it was and no partial file behind.
#pragma once

#include <QByteArray>
#include <QString>

namespace Platform {

// On failure returns false and the system's description of the error.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error);

// The whole file, or false and the system's description of the error.
bool readWhole(const QString &path, QByteArray *bytes, QString *error);

} // namespace Platform
