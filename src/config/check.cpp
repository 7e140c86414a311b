#include "config/check.h"

#include <algorithm>

namespace config {

Check<std::string> one_of(std::initializer_list<const char*> words) {
    std::vector<std::string> list(words.begin(), words.end());
    std::string expected = "one of";
    for (std::size_t i = 0; i < list.size(); ++i) expected += (i == 0 ? " " : ", ") + list[i];
    return {expected,
            [list](const std::string& x) { return std::find(list.begin(), list.end(), x) != list.end(); },
            {}};
}

}  // namespace config
