#include "workbook/load_errors.h"

#include "common/ascii.h"
#include "common/utf8_count.h"
#include "workbook/library_check.h"

namespace caici {
namespace {

std::string quoted(const std::string& text) {
    return "“" + text + "”";
}

// The format a file's name promises, in the host's words.
std::string formatName(const std::string& path) {
    const auto dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : asciiLowered(path.substr(dot + 1));
    if (extension == "xlsx") return "Excel 工作簿 (.xlsx)";
    if (extension == "ods") return "OpenDocument 电子表格 (.ods)";
    if (extension == "csv") return "CSV 文本表格 (.csv)";
    if (extension == "tsv") return "制表符分隔的文本表格 (.tsv)";
    return "Excel 97-2003 工作簿 (.xls)";
}

const char* const kSaveAgain = "请用电子表格程序（Excel、WPS 或 LibreOffice）打开它，另存为 .xlsx、.xls 或 .ods，再开始游戏。";

struct RefusalText {
    bool damaged;       // the file itself is at fault: "已损坏或无法读取"
    std::string cause;
    std::string remedy;
};

RefusalText refusalText(const std::string& path, readerstream::Refusal refusal) {
    using readerstream::Refusal;
    switch (refusal) {
    case Refusal::damaged:
        return {true, "它不是有效的 " + formatName(path) + "，或者已经损坏", kSaveAgain};
    case Refusal::encrypted:
        return {false, "它设置了打开密码", "请在电子表格程序里取消密码后保存，再开始游戏。"};
    case Refusal::fileTooLarge:
        return {false, "文件超过 64 MB，不像是词库", "请只保留词语和分值，另存后再开始游戏。"};
    case Refusal::expandsTooFar:
        return {true, "解压或展开后的内容超过了游戏的上限（可能是恶意制作的文件）", kSaveAgain};
    case Refusal::xmlDeclarations:
        return {true, "里面的 XML 声明了实体或文档类型，游戏不读这样的文件", kSaveAgain};
    case Refusal::notText:
        return {true, "它不是 UTF-8 或 GBK 编码的文本表格", "请用电子表格程序打开它，另存为“CSV（逗号分隔）”，再开始游戏。"};
    case Refusal::tooManySheets:
        return {false, "工作表超过 4096 个", "请删掉多余的工作表，再开始游戏。"};
    case Refusal::sheetTooLarge:
        return {false, "有内容超出了第 1048576 行或第 256 列", "请删掉表格远处的内容，再开始游戏。"};
    case Refusal::textTooLong:
        return {false, "有一格的文字超过 32767 个字", "请把它改短，再开始游戏。"};
    case Refusal::oldFormat:
        return {false, "它是 Excel 5.0/95 或更早的格式", "请用 Excel 或 WPS 打开它，另存为 .xlsx 或“Excel 97-2003 工作簿 (*.xls)”，再开始游戏。"};
    case Refusal::quoteNotClosed:
        return {true, "有一个用引号开始的字段直到文件末尾都没有结束", "请检查引号是否成对，再开始游戏。"};
    case Refusal::missing:
        return {false, "读取时文件不见了", "请确认文件还在这个位置（移动 U 盘或改名都会让它找不到），再开始游戏。"};
    case Refusal::permissionDenied:
        return {false, "没有读取它的权限", "请让当前用户可以读取它（例如 chmod a+r），再开始游戏。"};
    case Refusal::folder:
        return {false, "这是一个文件夹，不是文件", "请把词库文件放到这个位置，或选择别的词库文件。"};
    case Refusal::notRegularFile:
        return {false, "它不是普通文件（而是管道、设备或套接字）", "请选择一个真正的词库文件。"};
    case Refusal::linkLoop:
        return {false, "它是一个指向自己的符号链接（链接成环）", "请删除这个链接，换成词库文件本身。"};
    case Refusal::readError:
        return {false, "读取时磁盘出错", "请检查磁盘或 U 盘，再开始游戏。"};
    case Refusal::changedWhileReading:
        return {false, "读取时文件正在被修改", "请等电子表格程序保存完毕，再开始游戏。"};
    case Refusal::isXls:
        return {false, "它其实是 Excel 97-2003 工作簿，扩展名不对", "请把扩展名改为 .xls，再开始游戏。"};
    case Refusal::isXlsx:
        return {false, "它其实是 Excel 工作簿 (.xlsx)，扩展名不对", "请把扩展名改为 .xlsx，再开始游戏。"};
    case Refusal::isOds:
        return {false, "它其实是 OpenDocument 电子表格 (.ods)，扩展名不对", "请把扩展名改为 .ods，再开始游戏。"};
    case Refusal::unknownFormat:
        return {false, "游戏不认识这种文件格式", "词库可以是 .xlsx、.xls、.ods、.csv 或 .tsv 文件。"};
    }
    return {true, "它已经损坏", kSaveAgain};
}

// How many entries were left out and why, then the first few by place in
// the checker's words, each cell's value cut short: a dialog has no room
// for a cell of 30,000 characters.
std::string leftOutSummary(const std::vector<LeftOutEntry>& leftOut) {
    constexpr std::size_t kNamed = 3;
    constexpr std::size_t kShownChars = 12;
    std::size_t tooLong = 0;
    std::size_t badPoints = 0;
    for (const auto& left : leftOut) {
        tooLong += left.wordFault == WordFault::tooLong ? 1 : 0;
        badPoints += left.pointsFault ? 1 : 0;
    }
    std::string reasons;
    auto reason = [&](std::size_t count, const std::string& what) {
        if (count > 0) reasons += (reasons.empty() ? "" : "，") + std::to_string(count) + what;
    };
    reason(tooLong, " 个词超过 " + std::to_string(kMaxWordLength) + " 个字");
    reason(badPoints, " 个分值不是 1 以上的整数");

    std::string places;
    for (std::size_t at = 0; at < leftOut.size() && at < kNamed; ++at) {
        LeftOutEntry shown = leftOut[at];
        if (codePointCount(shown.points) > kShownChars) {
            shown.points = std::string(codePointPrefix(shown.points, kShownChars)) + "…";
        }
        places += (places.empty() ? "" : "；") + placedProblemText(leftOutProblems(shown).front());
    }
    if (leftOut.size() > kNamed) places += "；等";
    return "有 " + std::to_string(leftOut.size()) + " 个词条没有放进游戏（" + reasons + "）：" + places;
}

}  // namespace

std::string missingWorkbookText(const std::string& path) {
    return "找不到词库文件：" + path + "。请把词库 words.xlsx（或 .xls、.ods、.csv）放到这个位置，或用“打开词库…”选择一个，再开始游戏。";
}

std::string unreadableWorkbookText(const std::string& path, ReaderFailure cause, readerstream::Refusal refusal) {
    switch (cause) {
    case ReaderFailure::notStarted:
        return "词库文件已损坏或无法读取：" + path + "（读取程序 caici-xlsreader 无法启动，请重新安装游戏）。";
    case ReaderFailure::unreadable: {
        const RefusalText text = refusalText(path, refusal);
        return std::string(text.damaged ? "词库文件已损坏或无法读取：" : "无法读取词库文件：") + path + "（" +
               text.cause + "）。" + text.remedy;
    }
    case ReaderFailure::crashed:
        return "词库文件已损坏或无法读取：" + path + "（读取时出错中止）。" + kSaveAgain;
    case ReaderFailure::timedOut:
        return "词库文件已损坏或无法读取：" + path + "（读取超时）。" + kSaveAgain;
    case ReaderFailure::malformed:
        return "词库文件已损坏或无法读取：" + path + "（读出的内容无效）。" + kSaveAgain;
    }
    return {};
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

std::string noWordsText(const std::string& path, const std::vector<LeftOutEntry>& leftOut) {
    std::string text = "词库文件 " + path + " 里没有词";
    if (!leftOut.empty()) text += "可以玩：" + leftOutSummary(leftOut);
    return text + "。请在工作表第一行写“名称”和“分值”，下面每行写一个词和它的分值（1 以上的整数），保存后再开始游戏。";
}

std::string leftOutText(const std::string& path, const std::vector<LeftOutEntry>& leftOut) {
    return "词库文件 " + path + " 里" + leftOutSummary(leftOut) +
           "。请在词库里改正它们，保存后点“重新读取”或重新启动游戏。";
}

std::string queryFailedText(const std::string& path, const std::string& detail) {
    return "读取词库文件 " + path + " 时出错：" + detail + "。";
}


}  // namespace caici
