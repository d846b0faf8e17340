#include "workbook/reader_location.h"

#include <system_error>

namespace caici {

std::string readerBeside(const std::filesystem::path& program) {
    if (!program.is_absolute() || !program.has_parent_path()) return {};
    return (program.parent_path() / kReaderProgram).string();
}

std::string readerBesideRunningProgram() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return readerBeside(self);
}

}  // namespace caici
