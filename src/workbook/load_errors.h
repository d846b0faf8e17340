#pragma once
// The texts with which a word-library load fails. Each names the workbook
// and, where known, the sheet or column, and says what the host can do.

#include "workbook/left_out.h"
#include "workbook/reader_process.h"

#include <string>
#include <utility>
#include <vector>

namespace caici {

std::string missingWorkbookText(const std::string& path);
// The file could not be read: why (the reader's refusal, when it gave one)
// and what the host can do about it.
std::string unreadableWorkbookText(const std::string& path, ReaderFailure cause,
                                   readerstream::Refusal refusal = readerstream::Refusal::damaged);
std::string noSheetsText(const std::string& path);
std::string missingSheetsText(const std::string& path, const std::vector<std::string>& sheets);

struct SheetWidth {
    std::string sheet;
    std::size_t columns = 0;
    bool empty = false;
};
std::string columnMismatchText(const std::string& path, const std::vector<SheetWidth>& widths);

std::string missingColumnText(const std::string& path, const std::string& column, const std::string& firstSheet);
// The library holds no word to play; leftOut are the entries it has that
// cannot be played, named as in leftOutText.
std::string noWordsText(const std::string& path, const std::vector<LeftOutEntry>& leftOut);
// The one warning for all entries that a load left out of play: how many
// and why, the first few by sheet, row and column in the checker's words.
std::string leftOutText(const std::string& path, const std::vector<LeftOutEntry>& leftOut);
std::string queryFailedText(const std::string& path, const std::string& detail);

}  // namespace caici
