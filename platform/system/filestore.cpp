// SPDX-License-Identifier: MIT

#include "filestore.h"
#include "filestore_shared.h"

namespace Platform {

namespace Detail {

bool readBounded(qint64 size, qint64 limit, bool wholeFile,
                 const std::function<qint64(char *, qint64, FileError *)> &read, QByteArray *bytes,
                 FileError *error)
{
    if (wholeFile && size > limit) {
        *error = {FileError::TooLarge, {}};
        return false;
    }
    // One byte past the limit tells a file that grew since its size was taken from one that
    // fits.
    const qint64 wanted = wholeFile ? limit + 1 : limit;
    QByteArray buffer(qsizetype(qMin<qint64>(wanted, qMax<qint64>(size, 0) + 1)),
                      Qt::Uninitialized);
    qsizetype done = 0;
    while (done < wanted) {
        if (done == buffer.size())
            buffer.resize(qsizetype(qMin<qint64>(wanted, 2 * buffer.size())));
        const qint64 n = read(buffer.data() + done, buffer.size() - done, error);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += qsizetype(n);
    }
    if (wholeFile && done > limit) {
        *error = {FileError::TooLarge, {}};
        return false;
    }
    buffer.truncate(done);
    *bytes = buffer;
    return true;
}

bool writeAll(const QByteArray &bytes, const std::function<qint64(const char *, qint64)> &write)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = write(bytes.constData() + done, bytes.size() - done);
        if (n < 0)
            return false;
        done += qsizetype(n);
    }
    return true;
}

} // namespace Detail

bool sameFile(const QString &a, const QString &b)
{
    const QByteArray identity = fileIdentity(a);
    return !identity.isEmpty() && identity == fileIdentity(b);
}

} // namespace Platform
