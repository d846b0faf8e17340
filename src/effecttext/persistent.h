#pragma once
// The root of every assignable object of the effect-text subsystem: settings,
// masks, blending objects and (elsewhere) markup items. CopyFrom copies what a
// source of a compatible class holds; anything else is refused with the
// assignment error, leaving the destination as it was.

#include <functional>
#include <string>

#include "common/errors.h"

namespace caici {

class TPersistent;

// A change callback; the argument is the object that changed.
using TNotifyEvent = std::function<void(TPersistent* sender)>;

// "Cannot assign a <source class> to a <destination class>"; a missing source
// is named "nil".
class EAssignError : public Error {
public:
    using Error::Error;
};

class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    // Refuses every source unless a subclass accepts it.
    virtual void CopyFrom(const TPersistent* source);
    virtual const char* ClassName() const = 0;
    // The object a settings object belongs to, for the persistence machinery.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace caici
