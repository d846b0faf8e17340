#pragma once
// The parts of a ZIP package (.xlsx, .ods), read through libzip. Every byte
// unpacked from any part counts against one budget for the whole package
// (kMaxUnpackedBytes): a part that unpacks past it, whatever its header
// claims, refuses the file as expandsTooFar as soon as the budget is spent,
// so a zip bomb costs at most that much unpacking and never more memory than
// one portion at a time.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

typedef struct zip zip_t;

namespace caici::sheets {

class ZipPackage {
public:
    // Refuses bytes that are no ZIP archive as damaged.
    explicit ZipPackage(std::string_view bytes);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Part names match without regard to ASCII case, as packages name them.
    bool has(const std::string& name) const;
    // Hands the part's bytes to sink in portions; false when there is no
    // such part. A part protected by a password refuses the file as encrypted.
    bool read(const std::string& name, const std::function<void(std::string_view)>& sink);
    // The whole part, or nothing when there is none.
    std::optional<std::string> readWhole(const std::string& name);

private:
    zip_t* archive_ = nullptr;
    std::uint64_t unpacked_ = 0;
};

}  // namespace caici::sheets
