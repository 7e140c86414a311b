#include "util/trash.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>

#include "util/exception.h"
#include "util/seed.h"
#include "util/system.h"

namespace fs = std::filesystem;

namespace util {

namespace {

// Entry and ".trashinfo" names must fit the usual 255-byte limit; the number
// and the suffix need at most 22 more bytes.
constexpr std::size_t max_base_name_length = 200;
// Two runs may draw the same number; a few redraws always find a free name,
// the bound only protects against a trash that cannot be written at all.
constexpr int max_name_draws = 1000;

long long seed_from_environment_or_clock() {
    if (const auto seed = seed_from_environment()) return *seed;
    return std::chrono::system_clock::now().time_since_epoch().count();
}

std::string strip_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The two subfolders of a trash folder.
struct Trash {
    std::string root;
    std::string files() const { return root + "/files"; }
    std::string info() const { return root + "/info"; }
};

// Makes one folder (private to the user, as the trash requires) unless it is
// already there.
void ensure_folder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) == 0) return;
    struct stat status;
    if (errno == EEXIST && ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return;
    throw Exception("unable to make directory " + folder);
}

void ensure_trash(const Trash& trash, bool create_parents) {
    if (create_parents) {
        std::error_code error;
        fs::path parent = fs::path(trash.root).parent_path();
        if (!parent.empty()) fs::create_directories(parent, error);
        if (error) throw Exception("unable to make directory " + parent.string());
    }
    ensure_folder(trash.root);
    ensure_folder(trash.files());
    ensure_folder(trash.info());
}

std::string deletion_date() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Reserves a free entry name in the trash by creating its .trashinfo file
// exclusively (the record is written before the move, so a concurrent
// trasher can never pick the same name). Returns the entry name.
std::string reserve_entry(const Trash& trash, const std::string& base_name,
                          const std::string& original) {
    const std::string record = "[Trash Info]\nPath=" + percent_encode_path(original) +
                               "\nDeletionDate=" + deletion_date() + "\n";
    for (int draw = 0; draw < max_name_draws; ++draw) {
        std::string name = base_name + "_" + std::to_string(trash_number_generator()());
        struct stat status;
        if (::lstat((trash.files() + "/" + name).c_str(), &status) == 0) continue;
        std::string info_file = trash.info() + "/" + name + ".trashinfo";
        int fd = ::open(info_file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            throw Exception("unable to write trash information file " + info_file);
        }
        bool written = ::write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
        bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            std::remove(info_file.c_str());
            throw Exception("unable to write trash information file " + info_file);
        }
        return name;
    }
    throw Exception("unable to find a free name in the trash folder " + trash.root + " for " + original);
}

// The top directory of the file system holding the entry `absolute`: the
// highest ancestor of its folder that is still on the same device.
std::string top_directory_of(const std::string& absolute) {
    fs::path folder = fs::path(absolute).parent_path();
    struct stat status;
    if (::stat(folder.c_str(), &status) != 0) return folder.string();
    const dev_t device = status.st_dev;
    while (folder.has_parent_path() && folder.parent_path() != folder) {
        fs::path parent = folder.parent_path();
        if (::stat(parent.c_str(), &status) != 0 || status.st_dev != device) break;
        folder = parent;
    }
    return folder.string();
}

// Moves path into one trash. Returns the target, or nothing when the rename
// failed because the trash lies on another file system.
std::optional<std::string> move_into(const Trash& trash, const std::string& path,
                                     const std::string& base_name, const std::string& original) {
    std::string name = reserve_entry(trash, base_name, original);
    std::string target = trash.files() + "/" + name;
    if (std::rename(path.c_str(), target.c_str()) == 0) return target;
    int error = errno;
    std::remove((trash.info() + "/" + name + ".trashinfo").c_str());
    if (error == EXDEV) return std::nullopt;
    throw Exception("unable to rename " + path + " to " + target);
}

}  // namespace

std::minstd_rand0& trash_number_generator() {
    static std::minstd_rand0 generator = minimal_standard_generator(seed_from_environment_or_clock());
    return generator;
}

std::string home_trash_folder() {
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home && data_home[0] == '/') return strip_trailing_slashes(data_home) + "/Trash";
    std::string home;
    if (const char* env_home = std::getenv("HOME"); env_home && env_home[0] != '\0') {
        home = env_home;
    } else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        home = entry->pw_dir;
    } else {
        throw Exception("unable to locate the trash folder: neither XDG_DATA_HOME nor HOME is set");
    }
    return strip_trailing_slashes(home) + "/.local/share/Trash";
}

std::string trash_base_name(const std::string& path) {
    std::string name = System::cwd() + "_" + path;
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    if (!name.empty() && name[0] == '_') name.erase(0, 1);
    if (name.size() > max_base_name_length) {
        std::size_t start = name.size() - max_base_name_length;
        // Do not begin inside a multi-byte UTF-8 character.
        while (start < name.size() && (static_cast<unsigned char>(name[start]) & 0xC0) == 0x80) ++start;
        name.erase(0, start);
    }
    return name;
}

std::string percent_encode_path(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : path) {
        bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (keep) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0x0F];
        }
    }
    return encoded;
}

std::string move_to_trash(const std::string& path) {
    Trash home{home_trash_folder()};
    ensure_trash(home, true);

    const std::string base_name = trash_base_name(path);
    const std::string original =
        strip_trailing_slashes(fs::absolute(fs::path(path)).lexically_normal().string());

    std::cout << path << " exists... moving to trash." << std::endl;
    if (auto target = move_into(home, path, base_name, original)) return *target;

    // The home trash is on another file system: use the trash at the top of
    // the file system that holds path.
    std::string top = top_directory_of(original);
    if (top == "/") top.clear();
    Trash local{top + "/.Trash-" + std::to_string(::getuid())};
    ensure_trash(local, false);
    if (auto target = move_into(local, path, base_name, original)) return *target;
    throw Exception("unable to rename " + path + " to " + local.files() + "/" + base_name);
}

}  // namespace util
