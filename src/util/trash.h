#pragma once
#include <cstdint>
#include <string>

namespace util {

// The Park–Miller minimal standard generator: s' = 16807 s mod (2^31 - 1).
class MinimalStandardGenerator {
public:
    static constexpr std::int64_t multiplier = 16807;
    static constexpr std::int64_t modulus = 2147483647;

    // Any integer is accepted; it is reduced into the generator's range
    // 1 .. modulus-1 (zero would stay zero forever).
    explicit MinimalStandardGenerator(std::int64_t seed);
    // Advances the state and returns it (1 .. modulus-1).
    std::int32_t next();
    std::int32_t state() const { return state_; }

private:
    std::int32_t state_;
};

// The generator that numbers trash entries. Seeded on first use from the
// environment variable OSTREL_SEED when it is set (repeatable runs), else
// from the clock.
MinimalStandardGenerator& trash_number_generator();

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
