#pragma once
#include <istream>
#include <sstream>
#include <string>
#include <type_traits>

#include "util/exception.h"

namespace xml {

// Extracts one floating-point number, also accepting the spellings the
// standard streams write for non-finite values ("inf", "-inf", "nan",
// "infinity", any case) and the old "-1.#INF" form, so that every number the
// program writes can be read back. Sets failbit when nothing matches.
std::istream& read_real(std::istream& in, double& value);

namespace detail {
template <class T>
void extract(std::istream& in, T& value) {
    if constexpr (std::is_floating_point_v<T>) {
        double d = 0;
        read_real(in, d);
        value = static_cast<T>(d);
    } else {
        in >> value;
    }
}
}  // namespace detail

// Converts text by stream extraction; a failed extraction throws
// "string = " + text. Text after the value is ignored.
template <class T>
void from_string(const std::string& text, T& value) {
    std::istringstream in(text);
    detail::extract(in, value);
    if (in.fail() || in.bad()) throw util::Exception("string = " + text);
}

// As above, and stores in rest what follows the value, leading blanks
// skipped (empty when the value used the whole text). A string takes only
// its first word by design, so for strings rest is always empty.
template <class T>
void from_string(const std::string& text, T& value, std::string& rest) {
    std::istringstream in(text);
    detail::extract(in, value);
    if (in.fail() || in.bad()) throw util::Exception("string = " + text);
    rest.clear();
    if constexpr (!std::is_same_v<T, std::string>) {
        if (in.eof()) return;
        const std::streamoff used = in.tellg();
        if (used < 0) return;
        std::size_t first = text.find_first_not_of(" \t\r\n\f\v", static_cast<std::size_t>(used));
        if (first != std::string::npos) rest = text.substr(first);
    }
}

// Whether every number at the start of text (whitespace-separated, as the
// numeric readers take them) is acceptable: NaN never is, an infinity only
// when infinity_allowed. Reading stops at the first word that is no number.
bool numbers_acceptable(const std::string& text, bool infinity_allowed);

}  // namespace xml
