#include "workbook/load_errors.h"

#include "workbook/utf8.h"

namespace caici {
namespace {

std::string quoted(const std::string& text) {
    return "“" + text + "”";
}

std::string causeText(ReaderFailure cause) {
    switch (cause) {
    case ReaderFailure::notStarted:
        return "读取程序 caici-xlsreader 无法启动，请重新安装游戏";
    case ReaderFailure::unreadable:
        return "它不是有效的 Excel 97-2003 工作簿，或者已经损坏";
    case ReaderFailure::crashed:
        return "读取时出错中止";
    case ReaderFailure::timedOut:
        return "读取超时";
    case ReaderFailure::malformed:
        return "读出的内容无效";
    }
    return {};
}

}  // namespace

std::string missingWorkbookText(const std::string& path) {
    return "找不到词库文件：" + path + "。请把词库 words.xls 放到这个位置，再开始游戏。";
}

std::string unreadableWorkbookText(const std::string& path, ReaderFailure cause) {
    std::string text = "词库文件已损坏或无法读取：" + path + "（" + causeText(cause) + "）。";
    if (cause != ReaderFailure::notStarted) {
        text += "请用 Excel 打开它，另存为“Excel 97-2003 工作簿 (*.xls)”，再开始游戏。";
    }
    return text;
}

std::string noSheetsText(const std::string& path) {
    return "词库文件 " + path + " 里没有可用的工作表。请至少建一个工作表，第一行写“名称”和“分值”，下面每行一个词。";
}

std::string missingSheetsText(const std::string& path, const std::vector<std::string>& sheets) {
    std::string names;
    for (const auto& sheet : sheets) names += (names.empty() ? "" : "、") + quoted(sheet);
    return "词库文件 " + path + " 里找不到工作表 " + names +
           "。工作表的名字里不能有“'”和“$”，请改名后再开始游戏。";
}

std::string columnMismatchText(const std::string& path, const std::vector<SheetWidth>& widths) {
    std::string list;
    bool anyEmpty = false;
    for (const auto& width : widths) {
        list += (list.empty() ? "" : "，") + quoted(width.sheet) +
                (width.empty ? " 是空的" : " 有 " + std::to_string(width.columns) + " 列");
        anyEmpty = anyEmpty || width.empty;
    }
    std::string text = "词库文件 " + path + " 的各工作表列数不一致：" + list +
                       "。每个工作表的列数必须相同，“名称”和“分值”要在相同的列上。";
    if (anyEmpty) text += "空的工作表请删除。";
    return text;
}

std::string missingColumnText(const std::string& path, const std::string& column, const std::string& firstSheet) {
    return "词库文件 " + path + " 缺少" + quoted(column) + "列：工作表 " + quoted(firstSheet) +
           " 的第一行是表头，要有一格写“名称”、一格写“分值”，其他工作表的这两列放在相同的位置。";
}

std::string noWordsText(const std::string& path, std::size_t tooLong) {
    std::string text = "词库文件 " + path + " 里没有词";
    if (tooLong > 0) text += "可以玩（有 " + std::to_string(tooLong) + " 个词太长，超过 " + std::to_string(kMaxWordLength) + " 个字）";
    return text + "。请在工作表第一行写“名称”和“分值”，下面每行写一个词和它的分值，保存后再开始游戏。";
}

std::string tooLongWordsText(const std::string& path, const std::vector<LeftOutEntry>& tooLong) {
    constexpr std::size_t kNamed = 3;
    constexpr std::size_t kShownChars = 8;
    std::string places;
    for (std::size_t at = 0; at < tooLong.size() && at < kNamed; ++at) {
        const LeftOutEntry& left = tooLong[at];
        places += (places.empty() ? "" : "、") + std::string("工作表") + quoted(left.sheet) + "第 " +
                  std::to_string(left.row) + " 行" + quoted(std::string(codePointPrefix(left.word, kShownChars)) + "…");
    }
    if (tooLong.size() > kNamed) places += "等";
    return "词库文件 " + path + " 里有 " + std::to_string(tooLong.size()) + " 个词超过 " +
           std::to_string(kMaxWordLength) + " 个字，没有放进游戏：" + places + "。请把它们改短，下次启动游戏时生效。";
}

std::string queryFailedText(const std::string& path, const std::string& detail) {
    return "读取词库文件 " + path + " 时出错：" + detail + "。";
}


}  // namespace caici
