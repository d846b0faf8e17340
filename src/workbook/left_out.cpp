#include "workbook/left_out.h"

#include "common/number_text.h"
#include "common/utf8_count.h"

namespace caici {

std::optional<WordFault> wordFault(std::string_view word) {
    if (codePointCount(word) > kMaxWordLength) return WordFault::tooLong;
    return std::nullopt;
}

std::optional<PointsFault> pointsFault(CellKind kind, std::string_view points) {
    if (kind == CellKind::formulaWithoutResult) return PointsFault::formulaWithoutResult;
    if (kind == CellKind::error) return PointsFault::errorValue;
    if (points.empty()) return PointsFault::empty;
    // The very conversion the round applies when the word comes up.
    std::int32_t value = 0;
    if (!tryStrToInt(points, value)) return PointsFault::notWhole;
    if (value < 1) return PointsFault::notPositive;
    return std::nullopt;
}

}  // namespace caici
