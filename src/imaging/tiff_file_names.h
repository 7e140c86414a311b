#pragma once
#include <deque>
#include <string>

namespace ipc {

// The input of a TIFF reader: every regular file in directory whose name ends
// in ".tif" or ".tiff" (any case), as directory + "/" + name, in byte-wise
// ascending order of name. A directory that cannot be listed throws.
std::deque<std::string> list_tiff_files(const std::string& directory);

// Output file name of a writer: directory + "/" + number left-padded with
// '0' to `digits` digits + ".tif" (a wider number is written in full).
std::string numbered_tiff_name(const std::string& directory, int number, int digits);

}  // namespace ipc
