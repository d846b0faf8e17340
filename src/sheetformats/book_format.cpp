#include "sheetformats/book_format.h"

#include "common/ascii.h"
#include "common/utf8_count.h"
#include "sheetformats/book_readers.h"
#include "sheetformats/compound_file.h"
#include "sheetformats/read_refused.h"
#include "sheetformats/text_encoding.h"
#include "sheetformats/zip_package.h"

#include <filesystem>

namespace caici::sheets {
namespace {

constexpr std::string_view kCompoundSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::size_t kMaxSheetNameChars = 31;

enum class Content : std::uint8_t { compound, zip, other };

Content contentOf(std::string_view bytes) {
    if (bytes.substr(0, kCompoundSignature.size()) == kCompoundSignature) return Content::compound;
    if (bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
        ((bytes[2] == '\x03' && bytes[3] == '\x04') || (bytes[2] == '\x05' && bytes[3] == '\x06'))) {
        return Content::zip;
    }
    return Content::other;
}

[[noreturn]] void refuseAsItsPackage(std::string_view bytes) {
    ZipPackage package(bytes);
    if (package.has("mimetype") && package.has("content.xml")) refuse(Refusal::isOds, "an OpenDocument spreadsheet");
    if (package.has("[Content_Types].xml")) refuse(Refusal::isXlsx, "an Office Open XML workbook");
    damaged("a ZIP archive that is no workbook");
}

[[noreturn]] void refuseAsCompound(std::string_view bytes) {
    // Office keeps a password-protected .xlsx in a compound file.
    if (CompoundFile(bytes).has("EncryptedPackage")) refuse(Refusal::encrypted, "protected by a password");
    refuse(Refusal::isXls, "an Excel 97-2003 workbook");
}

}  // namespace

std::optional<BookFormat> formatOfName(std::string_view path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
    std::string extension;
    for (char c : path.substr(dot + 1)) extension += asciiLower(c);
    if (extension == "xls") return BookFormat::xls;
    if (extension == "xlsx") return BookFormat::xlsx;
    if (extension == "ods") return BookFormat::ods;
    if (extension == "csv") return BookFormat::csv;
    if (extension == "tsv") return BookFormat::tsv;
    return std::nullopt;
}

std::string textTableSheetName(std::string_view path) {
    const std::string stem = std::filesystem::path(std::string(path)).stem().string();
    const bool usable = !stem.empty() && codePointCount(stem) <= kMaxSheetNameChars && stem.front() != '_' &&
                        stem.find_first_of("'$[]:*?/\\") == std::string::npos &&
                        stem.find('\0') == std::string::npos;
    // A name of bytes that are no UTF-8 text is no name to show.
    return usable && isUtf8(stem) ? stem : std::string("Sheet1");
}

void readBook(std::string_view bytes, BookFormat format, const std::string& textSheetName, Book& book) {
    const Content content = contentOf(bytes);
    switch (format) {
    case BookFormat::xls:
        if (content == Content::zip) refuseAsItsPackage(bytes);
        if (content != Content::compound) damaged("not an Excel 97-2003 workbook");
        readXls(bytes, book);
        return;
    case BookFormat::xlsx:
    case BookFormat::ods:
        if (content == Content::compound) refuseAsCompound(bytes);
        if (content != Content::zip) damaged("not a ZIP package");
        if (format == BookFormat::xlsx) {
            readXlsx(bytes, book);
        } else {
            readOds(bytes, book);
        }
        return;
    case BookFormat::csv:
    case BookFormat::tsv:
        if (content == Content::compound) refuseAsCompound(bytes);
        if (content == Content::zip) refuseAsItsPackage(bytes);
        readTextTable(bytes, format == BookFormat::csv ? ',' : '\t', textSheetName, book);
        return;
    }
}

}  // namespace caici::sheets
