#include "sheetformats/biff_records.h"

#include "sheetformats/read_refused.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace caici::sheets::biff {
namespace {

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 code units as UTF-8; a lone surrogate, which UTF-8 cannot hold,
// becomes U+FFFD.
std::string utf8Of(const std::u16string& units) {
    std::string out;
    out.reserve(units.size() * 3);
    for (std::size_t at = 0; at < units.size(); ++at) {
        const std::uint32_t unit = units[at];
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < units.size() && units[at + 1] >= 0xDC00 &&
            units[at + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[at + 1] - 0xDC00));
            ++at;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

}  // namespace

RecordWalk::RecordWalk(std::string_view stream, std::size_t offset) : stream_(stream), at_(offset) {
    if (offset > stream.size()) damaged("a sheet starts past the end of the workbook");
}

bool RecordWalk::next(Record& record) {
    if (stream_.size() - at_ < 4) return false;
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(stream_[at_ + k]); };
    record.type = static_cast<std::uint16_t>(byte(0) | byte(1) << 8);
    const std::size_t length = byte(2) | byte(3) << 8;
    if (stream_.size() - at_ - 4 < length) damaged("a record runs past the end of the workbook");
    record.data = stream_.substr(at_ + 4, length);
    at_ += 4 + length;
    return true;
}

std::vector<std::string_view> RecordWalk::continuations() {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t mark = at_;
        Record record;
        if (!next(record)) break;
        if (record.type != kContinue) {
            at_ = mark;
            break;
        }
        parts.push_back(record.data);
    }
    return parts;
}

ContinuedData::ContinuedData(std::vector<std::string_view> parts) : parts_(std::move(parts)) {}

bool ContinuedData::advance() {
    while (part_ < parts_.size() && at_ == parts_[part_].size()) {
        ++part_;
        at_ = 0;
    }
    return part_ < parts_.size();
}

bool ContinuedData::atEnd() {
    return !advance();
}

std::uint8_t ContinuedData::u8() {
    if (!advance()) damaged("a record ends too early");
    return static_cast<std::uint8_t>(parts_[part_][at_++]);
}

std::uint16_t ContinuedData::u16() {
    const std::uint16_t low = u8();
    return static_cast<std::uint16_t>(low | u8() << 8);
}

std::uint32_t ContinuedData::u32() {
    const std::uint32_t low = u16();
    return low | static_cast<std::uint32_t>(u16()) << 16;
}

double ContinuedData::f64() {
    const std::uint64_t low = u32();
    return std::bit_cast<double>(low | static_cast<std::uint64_t>(u32()) << 32);
}

void ContinuedData::skip(std::size_t count) {
    while (count > 0) {
        if (!advance()) damaged("a record ends too early");
        const std::size_t step = std::min(count, parts_[part_].size() - at_);
        at_ += step;
        count -= step;
    }
}

std::string ContinuedData::characters(std::size_t count, bool wide) {
    std::u16string units;
    units.reserve(count);
    while (count > 0) {
        if (part_ >= parts_.size()) damaged("a text ends too early");
        if (at_ == parts_[part_].size()) {
            // The characters go on in the next record, behind a new option byte.
            ++part_;
            at_ = 0;
            wide = (u8() & 0x01) != 0;
            continue;
        }
        const std::string_view part = parts_[part_];
        const std::size_t width = wide ? 2 : 1;
        const std::size_t here = std::min(count, (part.size() - at_) / width);
        if (here == 0) damaged("a character is cut in two");
        for (std::size_t k = 0; k < here; ++k) {
            const auto low = static_cast<std::uint8_t>(part[at_ + k * width]);
            const auto high = wide ? static_cast<std::uint8_t>(part[at_ + k * width + 1]) : std::uint8_t{0};
            units.push_back(static_cast<char16_t>(low | high << 8));
        }
        at_ += here * width;
        count -= here;
    }
    return utf8Of(units);
}

std::string unicodeString(ContinuedData& data, bool shortCount) {
    const std::size_t count = shortCount ? data.u8() : data.u16();
    return data.characters(count, (data.u8() & 0x01) != 0);
}

std::string richString(ContinuedData& data) {
    const std::size_t count = data.u16();
    const std::uint8_t options = data.u8();
    const bool wide = (options & 0x01) != 0;
    const bool rich = (options & 0x08) != 0;
    const bool extended = (options & 0x04) != 0;
    const std::size_t runs = rich ? data.u16() : 0;
    const std::size_t extra = extended ? data.u32() : 0;
    std::string text = data.characters(count, wide);
    data.skip(runs * 4);
    data.skip(extra);
    return text;
}

}  // namespace caici::sheets::biff
