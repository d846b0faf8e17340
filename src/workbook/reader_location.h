#pragma once
// Where the workbook reader is: beside the program that starts it, named by
// an absolute path. A bare or relative name would be looked up in the current
// directory, which is the game's data folder and may hold anything a host
// copied there; a program planted there must never run.

#include <filesystem>
#include <string>

namespace caici {

inline constexpr const char* kReaderProgram = "caici-xlsreader";

// The reader in the folder of program; empty unless program is an absolute
// path. runReader refuses an empty path like any other that is not absolute,
// so a load then fails with the reader's "cannot start" error.
std::string readerBeside(const std::filesystem::path& program);

// The reader beside the running program as the kernel names it
// (/proc/self/exe); empty when that cannot be read.
std::string readerBesideRunningProgram();

}  // namespace caici
