#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace test_support {

// A fresh folder under the test temporary directory, removed at the end.
class TempDir {
public:
    explicit TempDir(const std::string& name)
        : path_(std::filesystem::path(::testing::TempDir()) /
                (name + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::filesystem::path path_;
};

// A TempDir that is the working directory for the object's lifetime.
class ScopedWorkingDir : public TempDir {
public:
    explicit ScopedWorkingDir(const std::string& name)
        : TempDir(name), previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path());
    }
    ~ScopedWorkingDir() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

}  // namespace test_support
