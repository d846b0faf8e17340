#pragma once
// Marks an object as at work for the guard's lifetime. Long work lets window
// messages run, and code run from those messages could start the same work
// on the same object again, over state that is half built. The game never
// does (it is busy meanwhile and says so to the host); a second entry is a
// programming error and fails as one, before it can touch anything.

#include <stdexcept>

namespace caici {

class ReentryGuard {
public:
    ReentryGuard(bool& working, const char* what) : working_(working) {
        if (working_) throw std::logic_error(what);
        working_ = true;
    }
    ~ReentryGuard() { working_ = false; }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

private:
    bool& working_;
};

}  // namespace caici
