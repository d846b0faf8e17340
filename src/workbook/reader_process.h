#pragma once
// Runs caici-xlsreader on a workbook and hands its output to the caller as it
// arrives. The reader is a separate process so that a damaged file can crash
// it, exhaust its memory or make it loop without touching the game: the
// parent enforces a wall-clock timeout, lets pending window messages run while
// it waits, and kills and reaps the reader on every way out.

#include "common/errors.h"
#include "workbook/reader_protocol.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace caici {

enum class ReaderFailure : std::uint8_t {
    notStarted,   // the reader program could not be started
    unreadable,   // the reader could not read the file and said why (refusal)
    crashed,      // killed by a signal (a crash, or its CPU or memory limit) or an unknown exit status
    timedOut,     // still running when the wall-clock limit ran out
    malformed,    // its output broke the stream rules
};

class EReaderFailed : public Error {
public:
    EReaderFailed(ReaderFailure failure, const std::string& detail,
                  readerstream::Refusal refusal = readerstream::Refusal::damaged)
        : Error(detail), failure_(failure), refusal_(refusal) {}
    ReaderFailure failure() const { return failure_; }
    // Why the reader refused the file; damaged for every other failure.
    readerstream::Refusal refusal() const { return refusal_; }

private:
    ReaderFailure failure_;
    readerstream::Refusal refusal_;
};

// The refusal an exit status stands for; nothing for a status that is none.
std::optional<readerstream::Refusal> refusalOfExitStatus(int status);

struct ReaderLimits {
    std::chrono::milliseconds timeout{15000};
};

using ReaderOutput = std::function<void(std::string_view)>;

// Starts readerPath with workbookPath as its one argument and passes every
// portion of its standard output to output until the reader has finished.
// Throws EReaderFailed when the reader
// does not end with exit status 0, and (notStarted) without starting anything
// when readerPath is not absolute (see reader_location.h); an exception
// thrown by output ends the reader and passes on unchanged.
void runReader(const std::string& readerPath, const std::string& workbookPath, const ReaderLimits& limits,
               const ReaderOutput& output);

}  // namespace caici
