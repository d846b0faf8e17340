#include "workbook/library_location.h"

#include "common/errors.h"

#include "workbook_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace caici {
namespace {

using testing::ScratchFolder;

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The chosen file first, then the user's own library, then words.* in the
// base folder; a chosen file that is gone is named and passed over.
TEST(FindLibrary, LooksInOrder) {
    ScratchFolder base;
    ScratchFolder personal;
    ScratchFolder chosen;
    const LibraryPlaces places{base.base(), personal.base(), chosen.base() + "班级.xlsx"};
    EXPECT_EQ(findLibrary(places), (LibraryFile{base.base() + "words.xls", LibraryOrigin::base, places.chosenFile}));
    base.write("words.xlsx", "x");
    EXPECT_EQ(findLibrary(places).path, base.base() + "words.xlsx");
    base.write("words.xls", "x");
    EXPECT_EQ(findLibrary(places).path, base.base() + "words.xls");
    personal.write("Words.ODS", "x");
    EXPECT_EQ(findLibrary(places), (LibraryFile{personal.base() + "Words.ODS", LibraryOrigin::personal, places.chosenFile}));
    chosen.write("班级.xlsx", "x");
    EXPECT_EQ(findLibrary(places), (LibraryFile{places.chosenFile, LibraryOrigin::chosen, {}}));
}

// Every format's name counts, exact names before other letter cases, and
// anything of such a name (a folder here) so that its load can say what it is.
TEST(FindLibrary, ReadsEveryFormatsName) {
    ScratchFolder folder;
    EXPECT_EQ(libraryInFolder(folder.base()), std::nullopt);
    folder.write("WORDS.TSV", "x");
    EXPECT_EQ(libraryInFolder(folder.base()), folder.base() + "WORDS.TSV");
    folder.write("WORDS.CSV", "x");
    EXPECT_EQ(libraryInFolder(folder.base()), folder.base() + "WORDS.CSV");
    std::filesystem::create_directory(folder.path() / "words.ods");
    EXPECT_EQ(libraryInFolder(folder.base()), folder.base() + "words.ods");
    for (const char* name : {"a.xlsx", "B.XLS", "c.ods", "d.csv", "e.TSV"}) EXPECT_TRUE(isLibraryFileName(name)) << name;
    for (const char* name : {"a.txt", "xlsx", "a.xlsx.bak", "dir.xls/file"}) EXPECT_FALSE(isLibraryFileName(name)) << name;
}

// A library the user may write is edited where it is; a read-only one is
// copied once into the user's data folder, writable, and that copy is kept.
TEST(EditLibrary, CopiesWhatTheUserCannotWrite) {
    ScratchFolder shipped;
    ScratchFolder data;
    shipped.write("words.xlsx", "原来的词库");
    const std::string library = shipped.base() + "words.xlsx";
    EXPECT_EQ(editableLibrary(library, data.base()), library);

    std::filesystem::permissions(library, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                              std::filesystem::perms::others_read);
    const std::string personal = data.base() + "个人/";
    const std::string copy = copyForEditing(library, personal);
    EXPECT_EQ(copy, personal + "words.xlsx");
    EXPECT_EQ(contents(copy), "原来的词库");
    EXPECT_NE(std::filesystem::status(copy).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    std::ofstream(copy) << "主持人改过的";
    EXPECT_EQ(copyForEditing(library, personal), copy);
    EXPECT_EQ(contents(copy), "主持人改过的");

    EXPECT_THROW(copyForEditing(library, ""), Error);
    EXPECT_THROW(copyForEditing(shipped.base() + "none.xlsx", personal + "x/"), Error);
}

}  // namespace
}  // namespace caici
