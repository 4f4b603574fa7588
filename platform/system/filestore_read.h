// SPDX-License-Identifier: MIT

// The part of a bounded read both systems share: the bytes of an open file, taken in pieces
// from the system's read call, never more than the limit allows.
#pragma once

#include <functional>

#include "filestore.h"

namespace Platform::Detail {

// Reads up to `limit` bytes (the whole file when `wholeFile`, else its start) through `read`,
// which fills a buffer and gives the bytes it read, 0 at the end, or -1 with the error set.
// `size` is what the system said the file holds, a first guess only: a file may grow.
bool readBounded(qint64 size, qint64 limit, bool wholeFile,
                 const std::function<qint64(char *, qint64, FileError *)> &read, QByteArray *bytes,
                 FileError *error);

} // namespace Platform::Detail
