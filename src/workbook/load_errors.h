#pragma once
// The texts with which a word-library load fails. Each names the workbook
// and, where known, the sheet or column, and says what the host can do.

#include "workbook/reader_process.h"

#include <string>
#include <utility>
#include <vector>

namespace caici {

std::string missingWorkbookText(const std::string& path);
std::string unreadableWorkbookText(const std::string& path, ReaderFailure cause);
std::string noSheetsText(const std::string& path);
std::string missingSheetsText(const std::string& path, const std::vector<std::string>& sheets);

struct SheetWidth {
    std::string sheet;
    std::size_t columns = 0;
    bool empty = false;
};
std::string columnMismatchText(const std::string& path, const std::vector<SheetWidth>& widths);

std::string missingColumnText(const std::string& path, const std::string& column, const std::string& firstSheet);
std::string queryFailedText(const std::string& path, const std::string& detail);
std::string loadBusyText();

}  // namespace caici
