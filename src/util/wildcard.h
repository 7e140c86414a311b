#pragma once
#include <string>

namespace util {

// Whether a bare file name matches a listing pattern: "*" stands for any run
// of characters (also none), "?" for exactly one character, everything else
// for itself (byte-wise, case-sensitive). As with the shell, a name starting
// with "." (a hidden file) only matches a pattern that starts with ".".
bool wildcard_match(const std::string& pattern, const std::string& name);

}  // namespace util
