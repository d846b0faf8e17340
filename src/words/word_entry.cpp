#include "words/word_entry.h"

#include "common/errors.h"

namespace caici {

EntryFields::EntryFields(std::string_view entry) {
    std::size_t start = 0;
    for (;;) {
        const auto bar = entry.find('|', start);
        if (bar == std::string_view::npos) {
            fields_.emplace_back(entry.substr(start));
            return;
        }
        fields_.emplace_back(entry.substr(start, bar - start));
        start = bar + 1;
    }
}

const std::string& EntryFields::at(int index) const {
    if (index < 0 || index >= count()) throwListIndex(index);
    return fields_[static_cast<std::size_t>(index)];
}

}  // namespace caici
