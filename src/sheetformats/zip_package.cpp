#include "sheetformats/zip_package.h"

#include "sheetformats/read_refused.h"

#include <zip.h>

#include <memory>
#include <vector>

namespace caici::sheets {
namespace {

struct FileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

constexpr std::size_t kPortion = 64 * 1024;

}  // namespace

ZipPackage::ZipPackage(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        damaged("cannot read the package");
    }
    archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (archive_ == nullptr) {
        zip_source_free(source);
        damaged("not a ZIP package");
    }
}

ZipPackage::~ZipPackage() {
    zip_discard(archive_);
}

bool ZipPackage::has(const std::string& name) const {
    return zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

bool ZipPackage::read(const std::string& name, const std::function<void(std::string_view)>& sink) {
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) damaged("a part cannot be read");
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > readerstream::kMaxUnpackedBytes - unpacked_) {
        refuse(Refusal::expandsTooFar, "a part unpacks too far");
    }
    const std::unique_ptr<zip_file_t, FileClose> file(zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
    if (!file) {
        if (zip_error_code_zip(zip_get_error(archive_)) == ZIP_ER_NOPASSWD) {
            refuse(Refusal::encrypted, "a part is protected by a password");
        }
        damaged("a part cannot be opened");
    }
    std::vector<char> portion(kPortion);
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), portion.data(), portion.size());
        if (n < 0) damaged("a part is damaged");
        if (n == 0) return true;
        unpacked_ += static_cast<std::uint64_t>(n);
        if (unpacked_ > readerstream::kMaxUnpackedBytes) refuse(Refusal::expandsTooFar, "the package unpacks too far");
        sink(std::string_view(portion.data(), static_cast<std::size_t>(n)));
    }
}

std::optional<std::string> ZipPackage::readWhole(const std::string& name) {
    std::string whole;
    if (!read(name, [&](std::string_view bytes) { whole.append(bytes); })) return std::nullopt;
    return whole;
}

}  // namespace caici::sheets
