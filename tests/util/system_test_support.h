#pragma once
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace test_support {

// Sets an environment variable for the object's lifetime, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const std::string& name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name.c_str())) previous_ = old;
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (previous_) ::setenv(name_.c_str(), previous_->c_str(), 1);
        else ::unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// Collects what is written to std::cout for the object's lifetime.
class CoutCapture {
public:
    CoutCapture() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(previous_); }
    std::string text() const { return buffer_.str(); }

private:
    std::ostringstream buffer_;
    std::streambuf* previous_;
};

}  // namespace test_support
