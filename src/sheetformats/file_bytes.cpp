#include "sheetformats/file_bytes.h"

#include "sheetformats/read_refused.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace caici::sheets {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void refuseForErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        refuse(Refusal::missing, std::strerror(error));
    case EACCES:
    case EPERM:
        refuse(Refusal::permissionDenied, std::strerror(error));
    case ELOOP:
        refuse(Refusal::linkLoop, std::strerror(error));
    case EISDIR:
        refuse(Refusal::folder, std::strerror(error));
    case ENXIO:
    case ENODEV:
        refuse(Refusal::notRegularFile, std::strerror(error));
    default:
        refuse(Refusal::readError, std::strerror(error));
    }
}

void checkKind(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) refuse(Refusal::folder, "a folder");
    if (!S_ISREG(info.st_mode)) refuse(Refusal::notRegularFile, "not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > readerstream::kMaxFileBytes) {
        refuse(Refusal::fileTooLarge, "the file is too large");
    }
}

}  // namespace

std::string readFileBytes(const std::string& path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the kind is
    // checked on the open descriptor, so a file swapped in meanwhile is
    // judged as what is actually read.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) refuseForErrno(errno);
    struct stat before {};
    if (::fstat(file.get(), &before) != 0) refuseForErrno(errno);
    checkKind(before);

    const auto size = static_cast<std::size_t>(before.st_size);
    std::string bytes(size, '\0');
    std::size_t done = 0;
    // One byte more than the size says: a file that grew is read as changed.
    char extra = 0;
    for (;;) {
        char* into = done < size ? bytes.data() + done : &extra;
        const std::size_t want = done < size ? size - done : 1;
        const ssize_t n = ::read(file.get(), into, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            refuseForErrno(errno);
        }
        if (n == 0) break;
        if (done >= size) refuse(Refusal::changedWhileReading, "the file grew while it was read");
        done += static_cast<std::size_t>(n);
    }
    struct stat after {};
    if (::fstat(file.get(), &after) != 0) refuseForErrno(errno);
    if (done != size || after.st_size != before.st_size || after.st_mtim.tv_sec != before.st_mtim.tv_sec ||
        after.st_mtim.tv_nsec != before.st_mtim.tv_nsec) {
        refuse(Refusal::changedWhileReading, "the file changed while it was read");
    }
    return bytes;
}

}  // namespace caici::sheets
