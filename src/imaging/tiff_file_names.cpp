#include "imaging/tiff_file_names.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "util/exception.h"

namespace ipc {

namespace {

bool ends_with_ignoring_case(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                      [](char s, char n) {
                          return s == std::tolower(static_cast<unsigned char>(n));
                      });
}

bool is_tiff_name(const std::string& name) {
    return ends_with_ignoring_case(name, ".tif") || ends_with_ignoring_case(name, ".tiff");
}

}  // namespace

std::deque<std::string> list_tiff_files(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(directory.empty() ? "." : directory, error);
    if (error)
        throw util::Exception("unable to list directory " + directory + ": " + error.message());

    std::vector<std::string> names;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) break;
        std::error_code status_error;
        if (!entries->is_regular_file(status_error)) continue;
        std::string name = entries->path().filename().string();
        if (is_tiff_name(name)) names.push_back(std::move(name));
    }
    if (error)
        throw util::Exception("unable to list directory " + directory + ": " + error.message());

    std::sort(names.begin(), names.end());  // std::string compares byte-wise
    std::deque<std::string> paths;
    for (const std::string& name : names) paths.push_back(directory + "/" + name);
    return paths;
}

std::string numbered_tiff_name(const std::string& directory, int number, int digits) {
    std::string text = std::to_string(number);
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return directory + "/" + text + ".tif";
}

}  // namespace ipc
