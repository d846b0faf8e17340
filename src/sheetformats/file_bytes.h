#pragma once
// Reads a workbook file whole, once, through one descriptor: what a format
// reader parses is exactly the bytes that were there when it was opened.
// Every way the file can fail to be a readable regular file refuses it with
// its own reason (missing, no permission, a folder, a FIFO, a link loop,
// too large, a failing device, a file that changed while it was read);
// a FIFO never blocks the reader.

#include <string>

namespace caici::sheets {

std::string readFileBytes(const std::string& path);

}  // namespace caici::sheets
