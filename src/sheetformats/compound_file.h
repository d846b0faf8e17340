#pragma once
// The streams of an OLE compound file (the container of .xls workbooks, and
// of .xlsx workbooks that a password protects), read through libgsf.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace caici::sheets {

class CompoundFile {
public:
    // Refuses bytes that are no compound file as damaged.
    explicit CompoundFile(std::string_view bytes);
    ~CompoundFile();
    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    // Whether the root holds a stream of that name (matched without regard
    // to ASCII case, as the format names them).
    bool has(std::string_view name) const;
    // The whole stream, or nothing when there is none of that name.
    std::optional<std::string> stream(std::string_view name) const;

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace caici::sheets
