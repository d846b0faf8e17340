#include "words/word_choice.h"

namespace caici {

bool WordChoice::admits(const WordEntry& entry) const {
    if (categories && categories->count(entry.sheet) == 0) return false;
    return !points || points->count(entry.points) != 0;
}

}  // namespace caici
