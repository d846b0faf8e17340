#include "effecttext/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>

#include "common/errors.h"

namespace caici {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void refuse(const QString& message) { throw Error(message.toStdString()); }

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

void checkKind(const QString& path, const struct stat& status, std::int64_t maxBytes) {
    if (!S_ISREG(status.st_mode)) refuse(QStringLiteral("“%1”不是普通文件，不能读取。").arg(path));
    if (status.st_size > maxBytes) {
        refuse(QStringLiteral("文件“%1”太大：%2 字节，最多读取 %3 字节。").arg(path).arg(status.st_size).arg(maxBytes));
    }
}

}  // namespace

QByteArray readRegularFile(const QString& path, std::int64_t maxBytes) {
    const QByteArray name = path.toLocal8Bit();
    struct stat status {};
    if (::stat(name.constData(), &status) != 0) {
        refuse(QStringLiteral("无法读取文件“%1”：%2。").arg(path, systemError()));
    }
    checkKind(path, status, maxBytes);
    const FileDescriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) refuse(QStringLiteral("无法读取文件“%1”：%2。").arg(path, systemError()));
    if (::fstat(file.get(), &status) != 0) refuse(QStringLiteral("无法读取文件“%1”：%2。").arg(path, systemError()));
    checkKind(path, status, maxBytes);

    // The file may still grow while it is read: one byte past the limit
    // tells that it did.
    QByteArray content;
    content.resize(static_cast<qsizetype>(status.st_size) + 1);
    qsizetype filled = 0;
    while (filled < content.size()) {
        const ssize_t got = ::read(file.get(), content.data() + filled, static_cast<std::size_t>(content.size() - filled));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) refuse(QStringLiteral("无法读取文件“%1”：%2。").arg(path, systemError()));
        if (got == 0) break;
        filled += got;
        if (filled == content.size() && filled <= maxBytes) content.resize(std::min<qsizetype>(filled * 2, maxBytes + 1));
    }
    if (filled > maxBytes) {
        refuse(QStringLiteral("文件“%1”太大：读到 %2 字节以上，最多读取 %3 字节。").arg(path).arg(filled).arg(maxBytes));
    }
    content.resize(filled);
    return content;
}

}  // namespace caici
