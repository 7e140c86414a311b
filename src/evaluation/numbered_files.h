#pragma once
#include <map>
#include <string>

namespace ctc {

// The files prefix + digits + ".tif" (or ".tiff") of a folder by the number
// their digits give (mask000.tif and mask0000.tif are both frame 0). Throws
// util::Exception when two files give the same number or the folder cannot
// be read; a missing folder gives no files.
std::map<int, std::string> numbered_tiffs(const std::string& folder, const std::string& prefix);

}  // namespace ctc
