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
// "string = " + text.
template <class T>
void from_string(const std::string& text, T& value) {
    std::istringstream in(text);
    detail::extract(in, value);
    if (in.fail() || in.bad()) throw util::Exception("string = " + text);
}

}  // namespace xml
