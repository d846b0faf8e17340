#include "effecttext/persistent.h"

namespace caici {

void TPersistent::CopyFrom(const TPersistent* source) { AssignError(source); }

void TPersistent::AssignError(const TPersistent* source) const {
    const std::string sourceName = source ? source->ClassName() : "nil";
    throw EAssignError(formatMessage(formatMessage("Cannot assign a %s to a %s", sourceName), ClassName()));
}

}  // namespace caici
