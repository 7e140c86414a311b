// Shared by the fuzz harnesses: a private scratch folder per process, file
// writing, and silenced progress output.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

namespace fuzz {

// A folder of its own under the temporary folder, made the working
// directory; the trash of folders that writers replace lives inside it, so
// a run never touches the user's trash.
class Scratch {
public:
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ostrel_fuzz_XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data())) std::abort();
        root_ = name.data();
        ::setenv("XDG_DATA_HOME", root_.c_str(), 1);
        std::filesystem::current_path(root_);
        // Progress lines and warnings would flood the fuzzer's output.
        std::cout.rdbuf(nullptr);
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    const std::filesystem::path& root() const { return root_; }

    // Empties the trash the last run may have filled.
    void empty_trash() const {
        std::error_code ignored;
        std::filesystem::remove_all(root_ / "Trash", ignored);
    }

private:
    std::filesystem::path root_;
};

inline void write_file(const std::filesystem::path& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline void write_file(const std::filesystem::path& name, const std::string& text) {
    write_file(name, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The input cut at its zero bytes into at most `parts` pieces.
inline std::vector<std::string> split_at_zeros(const std::uint8_t* data, std::size_t size, std::size_t parts) {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && pieces.size() < parts)
            pieces.emplace_back();
        else
            pieces.back().push_back(static_cast<char>(data[i]));
    }
    return pieces;
}

}  // namespace fuzz
