#pragma once
// Which reader a file goes to: its name says the format it should be, its
// first bytes what it is. A file whose content is another workbook format
// than its name says (an .xlsx renamed .xls) is refused with the format it
// really has, so the host can be told to name it rightly.

#include "sheetformats/book.h"

#include <optional>
#include <string>
#include <string_view>

namespace caici::sheets {

enum class BookFormat : std::uint8_t { xls, xlsx, ods, csv, tsv };

// By the name's extension, without regard to case; nothing for any other.
std::optional<BookFormat> formatOfName(std::string_view path);

// The sheet name of a text table: the file's name without its extension
// when a workbook could name a sheet so, else "Sheet1".
std::string textTableSheetName(std::string_view path);

void readBook(std::string_view bytes, BookFormat format, const std::string& textSheetName, Book& book);

}  // namespace caici::sheets
