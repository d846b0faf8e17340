#pragma once
// The format readers. Each parses the bytes of one whole file into book and
// throws ReadRefused (read_refused.h) at the first thing that stops it; none
// trusts a count, a length or an offset of the file before checking it.

#include "sheetformats/book.h"

#include <string>
#include <string_view>

namespace caici::sheets {

// Excel 97-2003 (BIFF8 in a compound file), formula results included.
void readXls(std::string_view bytes, Book& book);
// Office Open XML (.xlsx): every worksheet, shared and inline strings.
void readXlsx(std::string_view bytes, Book& book);
// OpenDocument spreadsheet (.ods): every table, repeats expanded.
void readOds(std::string_view bytes, Book& book);
// A text table: one sheet named sheetName whose rows are the lines, fields
// split at delimiter (',' or '\t'); UTF-8 with or without a byte-order
// mark, UTF-16 with one, or GBK.
void readTextTable(std::string_view bytes, char delimiter, const std::string& sheetName, Book& book);

}  // namespace caici::sheets
