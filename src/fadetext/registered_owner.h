#pragma once
// The machine's registered owner and organization, as the "Owner" and
// "Organization" labels show them. On this platform the owner is the full
// name of the user's account entry (the first comma-separated field of its
// comment, with "&" standing for the capitalised login name) and the
// organization is the ORGANIZATION environment variable. An empty owner falls
// back to the logged-on user's name, which may be empty too.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace caici {

struct RegisteredOwner {
    std::string owner;
    std::string organization;
};

// Where the values come from; tests supply their own.
struct OwnerSources {
    // The comment field of the current user's account entry; empty if none.
    std::function<std::string()> accountComment;
    // The current user's login name; empty if it cannot be found.
    std::function<std::string()> loginName;
    // The ORGANIZATION variable, absent when it is not set.
    std::function<std::optional<std::string>()> organizationVariable;
};

// The real sources: the password database (getpwuid_r) and the environment.
OwnerSources systemOwnerSources();

// The full name held in an account comment ("Ann Lee,Room 1,..." gives
// "Ann Lee"; "&" is replaced by the login name with its first letter in
// capitals).
std::string fullNameFromComment(std::string_view comment, std::string_view login);

RegisteredOwner readRegisteredOwner(const OwnerSources& sources);

}  // namespace caici
