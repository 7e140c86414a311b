#include "util/system.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "util/exception.h"
#include "util/trash.h"
#include "util/wildcard.h"

namespace fs = std::filesystem;

namespace util {
namespace System {

namespace {

std::string with_slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Splits a path at its last separator into folder and file part; the folder
// is empty when there is no separator.
void split_path(const std::string& path, std::string& folder, std::string& file) {
    std::string unified = with_slashes(path);
    std::size_t slash = unified.rfind('/');
    if (slash == std::string::npos) {
        folder.clear();
        file = unified;
    } else {
        folder = unified.substr(0, slash);
        file = unified.substr(slash + 1);
    }
}

// Sorted bare names of the regular files in folder that match pattern. The
// folder is not entered; failures keep the message of entering it.
StringListPtr list_matching(const std::string& folder, const std::string& pattern,
                            const std::string& shown_folder) {
    const std::string failure = "unable to change directory to " + shown_folder;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) throw Exception(failure);

    auto names = std::make_shared<StringList>();
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().string();
        if (!wildcard_match(pattern, name)) continue;
        if (entry.is_regular_file(error)) names->push_back(name);
    }
    std::sort(names->begin(), names->end());
    return names;
}

}  // namespace

StringListPtr dir(const std::string& pattern) {
    std::string folder, file;
    split_path(pattern, folder, file);
    // "/name*" has an empty folder part but means the root folder.
    if (folder.empty() && pattern.find_first_of("/\\") != std::string::npos) folder = "/";
    return list_matching(folder.empty() ? "." : folder, file, folder);
}

StringListPtr dirl(const std::string& path) {
    std::string folder, file;
    split_path(path, folder, file);
    if (folder.empty()) throw Exception("path is empty in System::dirl");

    // The absolute form the folder has as working directory: symbolic links
    // resolved, as the operating system reports it after a change into it.
    std::error_code error;
    fs::path absolute = fs::canonical(folder, error);
    if (error || !fs::is_directory(absolute, error))
        throw Exception("unable to change directory to " + folder);
    std::string prefix = absolute.string();
    if (prefix.back() != '/') prefix += '/';

    StringListPtr names = list_matching(absolute.string(), file, folder);
    for (std::string& name : *names) name = prefix + name;
    return names;
}

std::string cwd() {
    std::error_code error;
    fs::path current = fs::current_path(error);
    if (error) throw Exception("unable to read the current directory: " + error.message());
    return current.string();
}

void make_directory(const std::string& path) {
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found && !error)
        move_to_trash(path);
    std::cout << "creating " << path << std::endl;
    if (!fs::create_directory(path, error) || error)
        throw Exception("unable to make directory " + path);
}

}  // namespace System
}  // namespace util
