#include "workbook/reader_process.h"

#include "workbook/reader_protocol.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

extern char** environ;

namespace caici {
namespace {

using Clock = std::chrono::steady_clock;

// How often the reader's end is looked for once its output has closed.
constexpr std::chrono::milliseconds kReapInterval{10};
constexpr std::size_t kChunkBytes = 64 * 1024;

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
};

// The running reader. Destroying it kills the process if it still runs and
// always reaps it, so no way out of runReader leaves a process behind.
class ChildProcess {
public:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    ~ChildProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The wait status once the process has ended, or nothing yet.
    bool tryReap(int& status) {
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done != pid_) return false;
        pid_ = -1;
        return true;
    }

private:
    pid_t pid_;
};

[[noreturn]] void fail(ReaderFailure failure, const std::string& detail) {
    throw EReaderFailed(failure, detail);
}

ChildProcess spawnReader(const std::string& readerPath, const std::string& workbookPath, FileDescriptor& readEnd) {
    if (!std::filesystem::path(readerPath).is_absolute()) {
        fail(ReaderFailure::notStarted, "the reader path \"" + readerPath + "\" is not absolute");
    }
    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) fail(ReaderFailure::notStarted, std::strerror(errno));
    readEnd = FileDescriptor(fds[0]);
    const FileDescriptor writeEnd(fds[1]);

    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // Descriptors that the game's libraries opened without O_CLOEXEC stay behind.
    posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1);

    std::vector<char*> argv{const_cast<char*>(readerPath.c_str()), const_cast<char*>(workbookPath.c_str()),
                            nullptr};
    pid_t pid = 0;
    const int status = ::posix_spawn(&pid, readerPath.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (status != 0) fail(ReaderFailure::notStarted, readerPath + ": " + std::strerror(status));
    ::fcntl(readEnd.get(), F_SETFL, ::fcntl(readEnd.get(), F_GETFL) | O_NONBLOCK);
    return ChildProcess(pid);
}

void checkExit(int status) {
    if (WIFEXITED(status)) {
        const int code = WEXITSTATUS(status);
        if (code == 0) return;
        if (const auto refusal = refusalOfExitStatus(code)) {
            throw EReaderFailed(ReaderFailure::unreadable, "the reader cannot read the file", *refusal);
        }
        // posix_spawn reports a missing program as exit status 127 of the child.
        if (code == 127) fail(ReaderFailure::notStarted, "the reader could not be started");
        fail(ReaderFailure::crashed, "the reader ended with status " + std::to_string(code));
    }
    fail(ReaderFailure::crashed, "the reader was killed by signal " + std::to_string(WTERMSIG(status)));
}

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return 0;
    return static_cast<int>(std::min(left, kReapInterval).count());
}

}  // namespace

std::optional<readerstream::Refusal> refusalOfExitStatus(int status) {
    using readerstream::Refusal;
    if (status == readerstream::kExitUnreadable) return Refusal::damaged;
    if ((status >= static_cast<int>(Refusal::encrypted) && status <= static_cast<int>(Refusal::quoteNotClosed)) ||
        (status >= static_cast<int>(Refusal::missing) && status <= static_cast<int>(Refusal::changedWhileReading)) ||
        (status >= static_cast<int>(Refusal::isXls) && status <= static_cast<int>(Refusal::unknownFormat))) {
        return static_cast<Refusal>(status);
    }
    return std::nullopt;
}

void runReader(const std::string& readerPath, const std::string& workbookPath, const ReaderLimits& limits,
               const ReaderOutput& output) {
    const auto deadline = Clock::now() + limits.timeout;
    FileDescriptor readEnd;
    ChildProcess child = spawnReader(readerPath, workbookPath, readEnd);
    std::vector<char> chunk(kChunkBytes);

    while (readEnd.get() >= 0) {
        pollfd watch{readEnd.get(), POLLIN, 0};
        const int ready = ::poll(&watch, 1, remainingMs(deadline));
        if (ready < 0 && errno != EINTR) fail(ReaderFailure::crashed, std::strerror(errno));
        if (ready > 0) {
            const ssize_t n = ::read(readEnd.get(), chunk.data(), chunk.size());
            if (n > 0) {
                output(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
            } else if (n == 0) {
                readEnd.reset();
            } else if (errno != EAGAIN && errno != EINTR) {
                fail(ReaderFailure::crashed, std::strerror(errno));
            }
        }
        if (Clock::now() >= deadline) fail(ReaderFailure::timedOut, "the reader did not finish in time");
    }

    // The output is closed; the reader ends now or is made to.
    int status = 0;
    while (!child.tryReap(status)) {
        if (Clock::now() >= deadline) fail(ReaderFailure::timedOut, "the reader did not finish in time");
        ::poll(nullptr, 0, remainingMs(deadline));
    }
    checkExit(status);
}

}  // namespace caici
