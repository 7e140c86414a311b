#include "evaluation/numbered_files.h"

#include <filesystem>
#include <regex>

#include "util/exception.h"

namespace ctc {

std::map<int, std::string> numbered_tiffs(const std::string& folder, const std::string& prefix) {
    namespace fs = std::filesystem;
    std::map<int, std::string> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    const std::regex form(std::regex_replace(prefix, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                          "([0-9]{1,9})\\.tiff?");
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::smatch digits;
        if (!std::regex_match(name, digits, form)) continue;
        const int number = std::stoi(digits[1]);
        const auto [where, added] = files.emplace(number, entry->path().string());
        if (!added)
            throw util::Exception("two files for frame " + std::to_string(number) + ": " +
                                  fs::path(where->second).filename().string() + " and " + name + " in " + folder);
    }
    if (error) throw util::Exception("cannot list " + folder + ": " + error.message());
    return files;
}

}  // namespace ctc
