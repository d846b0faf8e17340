#include "workbook/reader_stream.h"
#include "workbook/utf8.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace caici {
namespace {

using readerstream::CellTag;
using testing::StreamWriter;

// Writes down what reaches the sink, one line per event.
struct RecordingSink : WorkbookSink {
    std::vector<std::string> events;
    void beginSheet(const std::string& name, std::uint32_t rows, std::uint32_t columns) override {
        events.push_back("sheet " + name + " " + std::to_string(rows) + "x" + std::to_string(columns));
    }
    void cell(const CellValue& value) override {
        events.push_back("cell " + cellText(value, CellFormat{".", "%Y/%m/%d"}));
    }
    void endSheet() override { events.push_back("end"); }
};

StreamWriter wellFormed() {
    StreamWriter s;
    s.magic().workbook(2);
    s.sheet("Sheet1", 2, 2).textCell("名称").textCell("分值").textCell("苹果").integer(3);
    s.sheet("空", 0, 0);
    return s.end();
}

const std::vector<std::string> kWellFormedEvents = {
    "sheet Sheet1 2x2", "cell 名称", "cell 分值", "cell 苹果", "cell 3", "end", "sheet 空 0x0", "end",
};

TEST(ReaderStreamDecoder, DeliversSheetsAndCellsInOrder) {
    RecordingSink sink;
    ReaderStreamDecoder decoder(sink);
    decoder.feed(wellFormed().bytes());
    decoder.finish();
    EXPECT_TRUE(decoder.complete());
    EXPECT_EQ(sink.events, kWellFormedEvents);
}

// A reader that streams tables before it knows how many there are ends
// them with the end record; past kMaxSheets its stream is refused.
TEST(ReaderStreamDecoder, TakesAnUnknownNumberOfSheetsUpToTheLimit) {
    StreamWriter s;
    s.magic().workbook(readerstream::kUnknownSheetCount).sheet("A", 1, 1).textCell("猫").sheet("B", 0, 0).end();
    RecordingSink sink;
    ReaderStreamDecoder decoder(sink);
    decoder.feed(s.bytes());
    decoder.finish();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"sheet A 1x1", "cell 猫", "end", "sheet B 0x0", "end"}));

    StreamWriter many;
    many.magic().workbook(readerstream::kUnknownSheetCount);
    for (std::uint32_t n = 0; n <= readerstream::kMaxSheets; ++n) many.sheet("S" + std::to_string(n), 0, 0);
    RecordingSink ignored;
    ReaderStreamDecoder refusing(ignored);
    EXPECT_THROW(refusing.feed(many.bytes()), EReaderStream);
}

// The pipe cuts the stream anywhere: every split gives the same events.
TEST(ReaderStreamDecoder, AnySplitOfTheStreamDecodesAlike) {
    const std::string bytes = wellFormed().bytes();
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        RecordingSink sink;
        ReaderStreamDecoder decoder(sink);
        decoder.feed(std::string_view(bytes).substr(0, cut));
        decoder.feed(std::string_view(bytes).substr(cut));
        decoder.finish();
        EXPECT_EQ(sink.events, kWellFormedEvents) << "cut at " << cut;
    }
    RecordingSink sink;
    ReaderStreamDecoder decoder(sink);
    for (char c : bytes) decoder.feed(std::string_view(&c, 1));
    decoder.finish();
    EXPECT_EQ(sink.events, kWellFormedEvents);
}

// A reader that stops early never passes for a complete workbook.
TEST(ReaderStreamDecoder, EveryTruncationFailsAtTheEnd) {
    const std::string bytes = wellFormed().bytes();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        RecordingSink sink;
        ReaderStreamDecoder decoder(sink);
        decoder.feed(std::string_view(bytes).substr(0, length));
        EXPECT_THROW(decoder.finish(), EReaderStream) << "length " << length;
    }
}

TEST(ReaderStreamDecoder, CarriesEveryCellKind) {
    StreamWriter s;
    s.magic().workbook(1).sheet("S", 1, 7);
    s.empty().integer(-5).number(2.5).textCell("字");
    s.textCell("2024-03-09", CellTag::date).textCell("2024-03-09 01:02:03", CellTag::dateTime);
    s.textCell("01:02:03", CellTag::time).end();
    RecordingSink sink;
    ReaderStreamDecoder decoder(sink);
    decoder.feed(s.bytes());
    decoder.finish();
    const std::vector<std::string> expected = {
        "sheet S 1x7",    "cell ",           "cell -5", "cell 2.5", "cell 字", "cell 2024/03/09",
        "cell 2024/03/09 01:02:03", "cell 01:02:03", "end",
    };
    EXPECT_EQ(sink.events, expected);
}

struct MalformedCase {
    const char* name;
    std::function<void(StreamWriter&)> write;
};

// Every rule of the stream is enforced, whatever the reader wrote.
TEST(ReaderStreamDecoder, RejectsStreamsThatBreakTheRules) {
    const std::string longName(readerstream::kMaxSheetNameBytes + 1, 'a');
    const std::string longText(readerstream::kMaxCellTextBytes + 1, 'a');
    const MalformedCase cases[] = {
        {"wrong signature", [](StreamWriter& s) { s.raw("CAICIXR2").workbook(0).end(); }},
        {"garbage", [](StreamWriter& s) { s.raw("hello world, this is no stream"); }},
        {"no workbook record", [](StreamWriter& s) { s.magic().end(); }},
        {"too many sheets", [](StreamWriter& s) { s.magic().workbook(readerstream::kMaxSheets + 1); }},
        {"fewer sheets than declared", [](StreamWriter& s) { s.magic().workbook(2).sheet("A", 0, 0).end(); }},
        {"more sheets than declared",
         [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 0, 0).sheet("B", 0, 0); }},
        {"unknown record", [](StreamWriter& s) { s.magic().workbook(1).byte('Q'); }},
        {"empty sheet name", [](StreamWriter& s) { s.magic().workbook(1).sheet("", 0, 0); }},
        {"sheet name too long", [&](StreamWriter& s) { s.magic().workbook(1).sheet(longName, 0, 0); }},
        {"sheet name not UTF-8", [](StreamWriter& s) { s.magic().workbook(1).sheet("\xC3\x28", 0, 0); }},
        {"too many rows", [](StreamWriter& s) { s.magic().workbook(1).sheet("A", readerstream::kMaxRows + 1, 1); }},
        {"too many columns", [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 257); }},
        {"unknown cell type", [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 1).byte(9); }},
        {"cell text too long",
         [&](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 1).textCell(longText); }},
        {"date text too long",
         [](StreamWriter& s) {
             s.magic().workbook(1).sheet("A", 1, 1).textCell(std::string(33, '1'), CellTag::date);
         }},
        {"overlong UTF-8", [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 1).textCell("\xC0\xAF"); }},
        {"surrogate in UTF-8",
         [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 1).textCell("\xED\xA0\x80"); }},
        {"NUL in text",
         [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 1).textCell(std::string("a\0b", 3)); }},
        {"huge text length",
         [](StreamWriter& s) { s.magic().workbook(1).sheet("A", 1, 1).byte(3).u32(0xFFFFFFFFu); }},
        {"bytes after the end", [](StreamWriter& s) { s.magic().workbook(0).end().byte(0); }},
    };
    for (const auto& c : cases) {
        StreamWriter s;
        c.write(s);
        RecordingSink sink;
        ReaderStreamDecoder decoder(sink);
        EXPECT_THROW(
            {
                decoder.feed(s.bytes());
                decoder.finish();
            },
            EReaderStream)
            << c.name;
    }
}

struct CountingSink : WorkbookSink {
    std::size_t cells = 0;
    void beginSheet(const std::string&, std::uint32_t, std::uint32_t) override {}
    void cell(const CellValue&) override { ++cells; }
    void endSheet() override {}
};

// One full sheet is allowed; anything beyond it in the same workbook is not.
TEST(ReaderStreamDecoder, LimitsTheCellsOfTheWholeWorkbook) {
    StreamWriter s;
    s.magic().workbook(2).sheet("A", 65536, 256);
    s.raw(std::string(std::size_t{65536} * 256, static_cast<char>(CellTag::empty)));
    CountingSink sink;
    ReaderStreamDecoder decoder(sink);
    decoder.feed(s.bytes());
    EXPECT_EQ(sink.cells, std::size_t{65536} * 256);
    EXPECT_THROW(decoder.feed(StreamWriter().sheet("B", 1, 1).bytes()), EReaderStream);
}

// The sink sees nothing that comes after a fault.
TEST(ReaderStreamDecoder, StopsAtTheFirstFault) {
    StreamWriter s;
    s.magic().workbook(1).sheet("A", 1, 3).textCell("好").byte(9).textCell("坏");
    RecordingSink sink;
    ReaderStreamDecoder decoder(sink);
    EXPECT_THROW(decoder.feed(s.bytes()), EReaderStream);
    const std::vector<std::string> expected = {"sheet A 1x3", "cell 好"};
    EXPECT_EQ(sink.events, expected);
}

struct Utf8Case {
    std::string text;
    bool valid;
};

TEST(StrictUtf8, AcceptsWellFormedTextOnly) {
    const Utf8Case cases[] = {
        {"", true},
        {"abc", true},
        {"名称", true},
        {"\xF0\x9F\x98\x80", true},         // U+1F600
        {"\xF4\x8F\xBF\xBF", true},         // U+10FFFF
        {"\xF4\x90\x80\x80", false},        // above U+10FFFF
        {"\xC0\x80", false},                // overlong NUL
        {"\xE0\x80\xAF", false},            // overlong "/"
        {"\xED\xBF\xBF", false},            // surrogate
        {"\xE5\x90", false},                // cut short
        {"\x80", false},                    // continuation first
        {"\xFF", false},
        {std::string("\0", 1), false},
    };
    for (const auto& c : cases) EXPECT_EQ(isStrictUtf8(c.text), c.valid) << ::testing::PrintToString(c.text);
}

}  // namespace
}  // namespace caici
