#pragma once
// Shared helpers of the workbook tests: the committed fixture workbooks, a
// scratch folder that plays the game's base folder, and a writer for reader
// streams.

#include "workbook/reader_protocol.h"
#include "workbook/word_library.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace caici::testing {

inline std::filesystem::path fixture(const std::string& name) {
    return std::filesystem::path(CAICI_SOURCE_DIR) / "tests/workbook/data" / name;
}

inline std::filesystem::path malformedFixtures() {
    return std::filesystem::path(CAICI_SOURCE_DIR) / "tests/workbook/data/malformed";
}

// The library's entries written short, "word|points", for expectations
// that read at a glance.
inline std::vector<std::string> played(const WordLists& lists) {
    std::vector<std::string> texts;
    for (const WordEntry& entry : lists.library()) texts.push_back(entry.word + "|" + std::to_string(entry.points));
    return texts;
}

// Every row that the last load of library into lists read, as "word|points"
// in sheet and row order: the entries in play and those left out alike, the
// latter with their cells' text as read.
inline std::vector<std::string> rowsAsRead(const WordLibrary& library, const WordLists& lists) {
    using Row = std::pair<std::pair<std::uint32_t, std::uint32_t>, std::string>;
    std::vector<Row> rows;
    const std::vector<std::string> entries = played(lists);
    for (std::size_t at = 0; at < entries.size() && at < library.entryOrigins().size(); ++at) {
        const SheetRow place = library.entryOrigins()[at].place;
        rows.push_back({{place.sheet, place.row}, entries[at]});
    }
    for (const auto& left : library.leftOut().entries) {
        rows.push_back({{left.sheetAt, left.row}, left.word + "|" + left.points});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    for (auto& row : rows) texts.push_back(std::move(row.second));
    return texts;
}

// A fresh folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("caici-words-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the game passes it: with a trailing "/".
    std::string base() const { return path_.string() + "/"; }
    std::string workbook() const { return base() + "words.xls"; }

    void useWorkbook(const std::string& fixtureName, const std::string& as = "words.xls") const {
        std::filesystem::copy_file(fixture(fixtureName), path_ / as,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::permissions(path_ / as, std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_write);
    }

    void write(const std::string& name, std::string_view bytes) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // A shell script standing in for caici-xlsreader.
    std::string script(const std::string& name, const std::string& body) const {
        write(name, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(path_ / name, std::filesystem::perms::owner_all);
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

// Writes reader streams byte by byte as caici-xlsreader does.
class StreamWriter {
public:
    StreamWriter& magic() { return raw(readerstream::kMagic); }
    StreamWriter& workbook(std::uint32_t sheets) { return tag(readerstream::Tag::workbook).u32(sheets); }
    StreamWriter& sheet(std::string_view name, std::uint32_t rows, std::uint32_t columns) {
        return tag(readerstream::Tag::sheet).text(name).u32(rows).u32(columns);
    }
    StreamWriter& end() { return tag(readerstream::Tag::end); }
    StreamWriter& empty() { return cellTag(readerstream::CellTag::empty); }
    StreamWriter& integer(std::int32_t value) {
        return cellTag(readerstream::CellTag::integer).u32(static_cast<std::uint32_t>(value));
    }
    StreamWriter& number(double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        cellTag(readerstream::CellTag::number);
        for (int shift = 0; shift < 64; shift += 8) bytes_.push_back(static_cast<char>(bits >> shift));
        return *this;
    }
    StreamWriter& textCell(std::string_view value, readerstream::CellTag kind = readerstream::CellTag::text) {
        return cellTag(kind).text(value);
    }
    StreamWriter& u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<char>(value >> shift));
        return *this;
    }
    StreamWriter& text(std::string_view value) {
        u32(static_cast<std::uint32_t>(value.size()));
        return raw(value);
    }
    StreamWriter& raw(std::string_view value) {
        bytes_.append(value);
        return *this;
    }
    StreamWriter& byte(std::uint8_t value) {
        bytes_.push_back(static_cast<char>(value));
        return *this;
    }

    const std::string& bytes() const { return bytes_; }

private:
    StreamWriter& tag(readerstream::Tag value) { return byte(static_cast<std::uint8_t>(value)); }
    StreamWriter& cellTag(readerstream::CellTag value) { return byte(static_cast<std::uint8_t>(value)); }

    std::string bytes_;
};

}  // namespace caici::testing
