#pragma once
#include <cstdint>
#include <string>

// Reading the values of ostrel-synth's options. The whole text must be the
// value (no blanks, nothing after it); a failure throws util::Exception
// "OPTION: 'TEXT' is not WHAT".
namespace synth {

[[noreturn]] void bad_value(const std::string& option, const std::string& text, const std::string& expected);

long long read_integer(const std::string& option, const std::string& text);
// An integer within +-10^9.
int read_int(const std::string& option, const std::string& text);
// 0 .. 2^64 - 1.
std::uint64_t read_seed(const std::string& option, const std::string& text);
// A finite number.
double read_real(const std::string& option, const std::string& text);
// "N" for a square image or "WxH".
void read_size(const std::string& option, const std::string& text, int& width, int& height);

}  // namespace synth
