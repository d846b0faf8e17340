#include "common/errors.h"

namespace caici {

std::string formatMessage(std::string_view pattern, std::string_view value) {
    std::string out(pattern);
    for (std::string_view marker : {"%s", "%d"}) {
        if (const auto at = out.find(marker); at != std::string::npos) {
            out.replace(at, marker.size(), value);
            break;
        }
    }
    return out;
}

void throwNotAnInteger(std::string_view text) {
    throw EConvertError(formatMessage("'%s' is not a valid integer value", text));
}

void throwListIndex(long long index) {
    throw EListError(formatMessage("List index out of bounds (%d)", std::to_string(index)));
}

}  // namespace caici
