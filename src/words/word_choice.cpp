#include "words/word_choice.h"

#include "common/number_text.h"
#include "words/word_entry.h"

namespace caici {

bool WordChoice::admits(std::string_view category, std::string_view entry) const {
    if (categories && categories->count(std::string(category)) == 0) return false;
    if (!points) return true;
    // The points are read as the round reads them: the second field.
    const EntryFields fields(entry);
    std::int32_t value = 0;
    return fields.count() > 1 && tryStrToInt(fields.at(1), value) && points->count(value) != 0;
}

}  // namespace caici
