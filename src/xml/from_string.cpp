#include "xml/from_string.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace xml {

namespace {

bool equals_ignoring_case(const std::string& a, const char* b) {
    std::size_t n = 0;
    for (; b[n] != '\0'; ++n) {
        if (n >= a.size()) return false;
        if (std::tolower(static_cast<unsigned char>(a[n])) != b[n]) return false;
    }
    return n == a.size();
}

// Reads a word made of the characters that may spell a non-finite value.
std::string peek_word(std::istream& in) {
    std::string word;
    while (!in.eof()) {
        int c = in.peek();
        if (c == EOF || std::isspace(c)) break;
        word.push_back(static_cast<char>(in.get()));
    }
    return word;
}

}  // namespace

std::istream& read_real(std::istream& in, double& value) {
    in >> std::ws;
    if (in.eof()) {
        in.setstate(std::ios::failbit);
        return in;
    }
    std::streampos start = in.tellg();
    // Fast path: ordinary numbers.
    double d = 0;
    if (in >> d) {
        // "-1.#INF" reads as -1. followed by "#INF": recognise the old form.
        if (!in.eof() && in.peek() == '#') {
            std::string rest = peek_word(in);
            if (equals_ignoring_case(rest, "#inf")) {
                value = d < 0 ? -std::numeric_limits<double>::infinity()
                              : std::numeric_limits<double>::infinity();
                return in;
            }
            in.setstate(std::ios::failbit);
            return in;
        }
        value = d;
        return in;
    }
    // Non-finite spellings: [+-](inf|infinity|nan).
    in.clear();
    if (start != std::streampos(-1)) in.seekg(start);
    std::string word = peek_word(in);
    std::string body = word;
    double sign = 1;
    if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
        if (body[0] == '-') sign = -1;
        body.erase(0, 1);
    }
    if (equals_ignoring_case(body, "inf") || equals_ignoring_case(body, "infinity")) {
        value = sign * std::numeric_limits<double>::infinity();
    } else if (equals_ignoring_case(body, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
    } else {
        in.setstate(std::ios::failbit);
    }
    return in;
}

bool numbers_acceptable(const std::string& text, bool infinity_allowed) {
    std::istringstream in(text);
    double value = 0;
    while (read_real(in, value)) {
        if (std::isnan(value)) return false;
        if (std::isinf(value) && !infinity_allowed) return false;
    }
    return true;
}

}  // namespace xml
