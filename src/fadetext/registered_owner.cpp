#include "fadetext/registered_owner.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace caici {
namespace {

// The account entry of the real user, or nothing when the database has none.
std::optional<std::pair<std::string, std::string>> accountEntry() {
    long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
    passwd entry{};
    passwd* found = nullptr;
    for (;;) {
        const int rc = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE && buffer.size() < (std::size_t{1} << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != 0 || found == nullptr) {
            return std::nullopt;
        }
        return std::pair{std::string(entry.pw_name ? entry.pw_name : ""),
                         std::string(entry.pw_gecos ? entry.pw_gecos : "")};
    }
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

OwnerSources systemOwnerSources() {
    OwnerSources sources;
    sources.accountComment = [] {
        const auto entry = accountEntry();
        return entry ? entry->second : std::string();
    };
    sources.loginName = [] {
        const auto entry = accountEntry();
        if (entry && !entry->first.empty()) {
            return entry->first;
        }
        // A user without an entry (a container's numeric uid) still has a name
        // in the environment of the session.
        return environmentValue("USER");
    };
    sources.organizationVariable = []() -> std::optional<std::string> {
        const char* value = std::getenv("ORGANIZATION");
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };
    return sources;
}

std::string fullNameFromComment(std::string_view comment, std::string_view login) {
    const std::string_view field = comment.substr(0, comment.find(','));
    std::string name;
    for (const char c : field) {
        if (c != '&') {
            name += c;
            continue;
        }
        std::string capitalised(login);
        if (!capitalised.empty() && capitalised[0] >= 'a' && capitalised[0] <= 'z') {
            capitalised[0] = static_cast<char>(capitalised[0] - 'a' + 'A');
        }
        name += capitalised;
    }
    return name;
}

RegisteredOwner readRegisteredOwner(const OwnerSources& sources) {
    RegisteredOwner result;
    const std::string login = sources.loginName ? sources.loginName() : std::string();
    if (sources.accountComment) {
        result.owner = fullNameFromComment(sources.accountComment(), login);
    }
    if (sources.organizationVariable) {
        result.organization = sources.organizationVariable().value_or(std::string());
    }
    if (result.owner.empty()) {
        result.owner = login;
    }
    return result;
}

}  // namespace caici
