#pragma once
// The reader's one way to give up on a file: thrown wherever reading must
// stop, caught in main, which exits with the refusal as its status.

#include "workbook/reader_protocol.h"

#include <stdexcept>
#include <string>

namespace caici::sheets {

using readerstream::Refusal;

class ReadRefused : public std::runtime_error {
public:
    ReadRefused(Refusal refusal, const std::string& detail) : std::runtime_error(detail), refusal_(refusal) {}
    Refusal refusal() const { return refusal_; }

private:
    Refusal refusal_;
};

[[noreturn]] inline void refuse(Refusal refusal, const std::string& detail) {
    throw ReadRefused(refusal, detail);
}

[[noreturn]] inline void damaged(const std::string& detail) {
    throw ReadRefused(Refusal::damaged, detail);
}

}  // namespace caici::sheets
