#pragma once
// Reading a small input file that anyone may have named: only a regular file
// is read (a FIFO would block the reader, a device such as /dev/zero would
// never end), and only up to a size limit. The file is checked before it is
// opened and again, through its open descriptor, after: it may have been
// replaced in between. It is opened without blocking, so that even then a
// FIFO cannot hold the reader.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace caici {

// The whole file; throws caici::Error naming the file when it is missing,
// not a regular file, larger than maxBytes or unreadable.
QByteArray readRegularFile(const QString& path, std::int64_t maxBytes);

}  // namespace caici
