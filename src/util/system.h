#pragma once
#include <string>
#include <vector>

#include "util/counted_ptr.h"

namespace util {

using StringList = std::vector<std::string>;
using StringListPtr = CountedPtr<StringList>;

// File-system helpers of the components: listing input files and preparing
// output folders. Every failure throws util::Exception.
namespace System {

// Bare names of the regular files that match pattern ("*" and "?"
// wildcards in its last part; "/" or "\" separate folders; relative to the
// working directory), sorted ascending byte-wise.
StringListPtr dir(const std::string& pattern);

// Full paths of the files matching path, a folder followed by a file pattern
// (for example "images/*.tif?"): the folder's absolute path, "/" and the
// name, sorted ascending byte-wise by name. The folder part must not be
// empty.
StringListPtr dirl(const std::string& path);

// The current working directory.
std::string cwd();

// Prepares path as a new, empty folder. An existing file or folder of that
// name is first moved into the trash (see util/trash.h).
void make_directory(const std::string& path);

}  // namespace System

using System::cwd;
using System::make_directory;

}  // namespace util
