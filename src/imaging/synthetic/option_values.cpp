#include "imaging/synthetic/option_values.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "util/exception.h"

namespace synth {

void bad_value(const std::string& option, const std::string& text, const std::string& expected) {
    throw util::Exception(option + ": '" + text + "' is not " + expected);
}

long long read_integer(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || std::isspace(static_cast<unsigned char>(text[0])))
        bad_value(option, text, "an integer");
    return value;
}

int read_int(const std::string& option, const std::string& text) {
    const long long value = read_integer(option, text);
    if (value < -1000000000LL || value > 1000000000LL) bad_value(option, text, "an integer of a sensible size");
    return static_cast<int>(value);
}

std::uint64_t read_seed(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] < '0' || text[0] > '9' || *end != '\0' || errno == ERANGE)
        bad_value(option, text, "an integer from 0 to 18446744073709551615");
    return value;
}

double read_real(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value) ||
        std::isspace(static_cast<unsigned char>(text[0])))
        bad_value(option, text, "a number");
    return value;
}

void read_size(const std::string& option, const std::string& text, int& width, int& height) {
    const std::size_t cross = text.find('x');
    if (cross == std::string::npos) {
        width = height = read_int(option, text);
        return;
    }
    const std::string w = text.substr(0, cross);
    const std::string h = text.substr(cross + 1);
    if (w.empty() || h.empty()) bad_value(option, text, "a size N or WxH");
    width = read_int(option, w);
    height = read_int(option, h);
}

}  // namespace synth
