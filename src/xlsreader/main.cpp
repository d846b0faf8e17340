// caici-xlsreader FILE: reads a word-library workbook (.xls, .xlsx, .ods,
// .csv or .tsv) and writes its sheets and cells to standard output in the
// stream format of reader_protocol.h.
//
// Workbook files come from anywhere, so they are parsed in this process of
// its own under tight resource limits; the game validates what it receives
// and survives whatever happens here. A file it will not read ends it with
// the reason as its exit status (readerstream::Refusal).

#include "sheetformats/book_format.h"
#include "sheetformats/file_bytes.h"
#include "sheetformats/read_refused.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>
#include <string_view>

namespace {

using namespace caici::readerstream;

constexpr rlim_t kAddressSpaceBytes = 512ull * 1024 * 1024;
constexpr rlim_t kCpuSeconds = 5;

void limitResource(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    setrlimit(resource, &limit);
}

void applyResourceLimits() {
    // A file that makes a parser allocate without end hits the address
    // space limit and fails; one that makes it loop hits the CPU limit.
    limitResource(RLIMIT_AS, kAddressSpaceBytes, kAddressSpaceBytes);
    limitResource(RLIMIT_CPU, kCpuSeconds, kCpuSeconds + 1);
    limitResource(RLIMIT_CORE, 0, 0);
    // The reader must not outlive the game that waits for it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1) _exit(kExitUnreadable);
}

void writeOut(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) _exit(kExitOutputFailed);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: caici-xlsreader WORKBOOK\n", stderr);
        return kExitUsage;
    }
    applyResourceLimits();
    namespace sheets = caici::sheets;
    const std::string path = argv[1];
    try {
        const auto format = sheets::formatOfName(path);
        if (!format) sheets::refuse(Refusal::unknownFormat, "not a workbook format");
        const std::string bytes = sheets::readFileBytes(path);
        sheets::Book book(writeOut);
        sheets::readBook(bytes, *format, sheets::textTableSheetName(path), book);
        book.finish();
        return 0;
    } catch (const sheets::ReadRefused& refused) {
        return static_cast<int>(refused.refusal());
    } catch (const std::bad_alloc&) {
        // Only a file made to grow without end exhausts the reader's memory.
        return static_cast<int>(Refusal::expandsTooFar);
    } catch (const std::exception&) {
        return kExitUnreadable;
    }
}
