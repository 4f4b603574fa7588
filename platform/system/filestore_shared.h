// SPDX-License-Identifier: MIT

// What the file store of each system shares: a bounded read and a whole write of an open
// file, in pieces through the system's own calls, and the name of the temporary file of a
// write in progress, published for a handler that removes it when the program is ended.
#pragma once

#include <atomic>
#include <cstring>
#include <functional>

#include "filestore.h"

namespace Platform::Detail {

// Reads up to `limit` bytes (the whole file when `wholeFile`, else its start) through `read`,
// which fills a buffer and gives the bytes it read, 0 at the end, or -1 with the error set.
// `size` is what the system said the file holds, a first guess only: a file may grow.
bool readBounded(qint64 size, qint64 limit, bool wholeFile,
                 const std::function<qint64(char *, qint64, FileError *)> &read, QByteArray *bytes,
                 FileError *error);

// Puts all the bytes through `write`, which puts some of them and gives how many, or -1.
bool writeAll(const QByteArray &bytes, const std::function<qint64(const char *, qint64)> &write);

// The name of the temporary file of the write in progress, for a handler that may run at any
// moment, in any thread, and so only reads what is published here whole. The name is
// published before the file is made and withdrawn once the file has its final name or is
// gone, so that no moment leaves a temporary file no one would remove.
template<class Char, std::size_t Size>
class PendingTemporary
{
public:
    void publish(const Char *name, std::size_t length)
    {
        if (length >= Size)
            return; // too long for the system to make anyway
        std::memcpy(m_name, name, (length + 1) * sizeof(Char));
        m_pending.store(true);
    }
    void withdraw() { m_pending.store(false); }
    // The name, or null when no write is in progress.
    const Char *name() const { return m_pending.load() ? m_name : nullptr; }

private:
    Char m_name[Size];
    std::atomic<bool> m_pending{false};
    static_assert(std::atomic<bool>::is_always_lock_free);
};

} // namespace Platform::Detail
