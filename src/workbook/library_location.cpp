#include "workbook/library_location.h"

#include "common/errors.h"
#include "workbook/workbook_tables.h"

#include <QStandardPaths>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <system_error>

namespace caici {
namespace {

constexpr std::array<std::string_view, 5> kExtensions = {"xls", "xlsx", "ods", "csv", "tsv"};

// Anything of that name, a folder or a dangling link included.
bool present(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found && !error;
}

std::string extensionOf(std::string_view path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return std::string(path.substr(dot + 1));
}

}  // namespace

bool isLibraryFileName(std::string_view path) {
    const std::string extension = extensionOf(path);
    for (const auto known : kExtensions) {
        if (sameIdentifier(extension, known)) return true;
    }
    return false;
}

std::optional<std::string> libraryInFolder(const std::string& folder) {
    for (const auto extension : kExtensions) {
        const std::string exact = folder + "words." + std::string(extension);
        if (present(exact)) return exact;
    }
    std::error_code error;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
    std::optional<std::string> best;
    std::size_t bestRank = kExtensions.size();
    for (std::filesystem::directory_iterator entry(where, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        for (std::size_t rank = 0; rank < bestRank; ++rank) {
            if (sameIdentifier(name, "words." + std::string(kExtensions[rank]))) {
                best = folder + name;
                bestRank = rank;
            }
        }
    }
    return best;
}

LibraryFile findLibrary(const LibraryPlaces& places) {
    LibraryFile file;
    if (!places.chosenFile.empty()) {
        if (present(places.chosenFile)) return LibraryFile{places.chosenFile, LibraryOrigin::chosen, {}};
        file.chosenButMissing = places.chosenFile;
    }
    if (!places.personalFolder.empty()) {
        if (auto personal = libraryInFolder(places.personalFolder)) {
            file.path = std::move(*personal);
            file.origin = LibraryOrigin::personal;
            return file;
        }
    }
    file.path = libraryInFolder(places.baseFolder).value_or(places.baseFolder + "words.xls");
    file.origin = LibraryOrigin::base;
    return file;
}

std::string editableLibrary(const std::string& path, const std::string& personalFolder) {
    if (::access(path.c_str(), R_OK | W_OK) == 0) return path;
    return copyForEditing(path, personalFolder);
}

std::string copyForEditing(const std::string& path, const std::string& personalFolder) {
    if (personalFolder.empty()) throw Error("无法编辑词库 " + path + "：它是只读的，而且找不到保存个人词库的文件夹。");
    const std::string copy = personalFolder + "words." + extensionOf(path);
    if (present(copy)) return copy;
    std::error_code error;
    std::filesystem::create_directories(personalFolder, error);
    if (!error) std::filesystem::copy_file(path, copy, error);
    if (!error) {
        // The copy is the user's own: writable whatever the original's mode.
        std::filesystem::permissions(copy, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
    }
    if (error) {
        throw Error("无法把只读的词库 " + path + " 复制到 " + copy + " 来编辑：" + error.message() + "。");
    }
    return copy;
}

std::string personalLibraryFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) return {};
    return folder.toStdString() + "/";
}

}  // namespace caici
