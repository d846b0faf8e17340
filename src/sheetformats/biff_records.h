#pragma once
// The record layer of an Excel 97-2003 workbook stream: records of a 16-bit
// type and a 16-bit length, and the continued data of records that go on in
// CONTINUE records, with the way a text is cut between them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace caici::sheets::biff {

inline constexpr std::uint16_t kContinue = 0x003C;

struct Record {
    std::uint16_t type = 0;
    std::string_view data;
};

// Walks the records of a stream from an offset. Refuses a record whose
// length runs past the stream's end as damaged.
class RecordWalk {
public:
    RecordWalk(std::string_view stream, std::size_t offset);

    // The next record, or false at the stream's end.
    bool next(Record& record);
    // The CONTINUE records right after the last one, taken from the walk.
    std::vector<std::string_view> continuations();
    std::size_t position() const { return at_; }

private:
    std::string_view stream_;
    std::size_t at_;
};

// Reads a record's data and its continuations as one run of bytes, except
// that a text's characters cut at a record's end go on after one option
// byte that says anew how wide they are.
class ContinuedData {
public:
    explicit ContinuedData(std::vector<std::string_view> parts);

    bool atEnd();
    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    double f64();
    void skip(std::size_t count);
    // count characters, one byte each or, with wide, UTF-16 code units; as UTF-8.
    std::string characters(std::size_t count, bool wide);

private:
    // Moves to the next part when this one is used up; false at the end.
    bool advance();

    std::vector<std::string_view> parts_;
    std::size_t part_ = 0;
    std::size_t at_ = 0;
};

// An XLUnicodeString (16-bit count) or ShortXLUnicodeString (8-bit count).
std::string unicodeString(ContinuedData& data, bool shortCount);
// An XLUnicodeRichExtendedString, the shared strings' form: the text without
// its formatting runs and phonetic data.
std::string richString(ContinuedData& data);

}  // namespace caici::sheets::biff
