#pragma once
#include <exception>
#include <string>

namespace util {

// The one exception type the program throws: a single message, shown to the
// user by the entry point.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

}  // namespace util
