#pragma once
#include <random>
#include <string>

namespace util {

// The generator that numbers trash entries (the minimal standard one).
// Seeded on first use from the environment variable OSTREL_SEED when it is
// set (repeatable runs), else from the clock.
std::minstd_rand0& trash_number_generator();

// The home trash in the freedesktop.org layout shared by desktop file managers:
// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash when XDG_DATA_HOME is unset
// or not absolute.
std::string home_trash_folder();

// The trash entry name of path, before its number: the working directory,
// "_" and path, with every "/" and "\" turned into "_" and the leading "_"
// dropped. Very long names keep only their tail so that the entry and its
// ".trashinfo" file stay within the file-name length limit.
std::string trash_base_name(const std::string& path);

// Percent-encodes a path for the Path= line of a .trashinfo file: unreserved
// URI characters and "/" stay, every other byte becomes %XX.
std::string percent_encode_path(const std::string& path);

// Moves the existing file or folder path into the trash (the home trash, or
// the trash at the top of path's own file system when path lies on another
// one), writing its .trashinfo record. Prints
// "<path> exists... moving to trash." and returns the new location.
std::string move_to_trash(const std::string& path);

}  // namespace util
