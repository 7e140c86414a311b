#pragma once
#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/value_form.h"

namespace config {

// One rule a value must satisfy. `expected` completes "must be ..." in
// messages and describes the rule in `--describe`. A check on the entry type
// of a vector or matrix is applied to every entry; a check on the whole type
// sees the value at once.
template <class T>
struct Check {
    std::string expected;
    std::function<bool(const T&)> holds;
    // The historical message of this failure, if any (see Problem::message).
    std::string message;

    // The same check reported with a historical message.
    Check says(std::string historical) const {
        Check copy = *this;
        copy.message = std::move(historical);
        return copy;
    }
};

// The negated comparisons below reject NaN as well.
template <class T = double>
Check<T> positive() {
    return {"positive", [](const T& x) { return x > T(0); }, {}};
}

template <class T = double>
Check<T> non_negative() {
    return {"non-negative", [](const T& x) { return x >= T(0); }, {}};
}

inline Check<double> finite() {
    return {"finite", [](const double& x) { return std::isfinite(x); }, {}};
}

inline Check<double> positive_finite() {
    return {"positive and finite", [](const double& x) { return x > 0.0 && std::isfinite(x); }, {}};
}

inline Check<double> non_negative_finite() {
    return {"non-negative and finite", [](const double& x) { return x >= 0.0 && std::isfinite(x); }, {}};
}

// Anything but NaN (limits that may be infinite).
inline Check<double> a_number() {
    return {"a number", [](const double& x) { return !std::isnan(x); }, {}};
}

template <class T>
Check<T> at_least(T bound) {
    return {"at least " + quote(bound), [bound](const T& x) { return x >= bound; }, {}};
}

template <class T>
Check<T> at_most(T bound) {
    return {"at most " + quote(bound), [bound](const T& x) { return x <= bound; }, {}};
}

template <class T>
Check<T> in_range(T low, T high) {
    return {"in [" + quote(low) + ", " + quote(high) + "]",
            [low, high](const T& x) { return x >= low && x <= high; }, {}};
}

inline Check<double> probability() { return in_range(0.0, 1.0); }

// A word from a fixed list, compared exactly.
Check<std::string> one_of(std::initializer_list<const char*> words);

// A word that stands for a value of type T where a number is expected
// ("infinity" for a gate that never rejects).
template <class T>
struct Word {
    std::string text;
    T value;
};

// A rule on the written text itself, applied as the text is read: data
// files refuse NaN or infinite numbers with the reader's own message, which
// quotes the text and gives its line. A failure is reported as unreadable
// text of the parameter.
struct TextCheck {
    std::string expected;
    std::function<void(const xml::Querier&)> check;
};

// Every number of the text finite.
inline TextCheck finite_text() {
    return {"finite", [](const xml::Querier& element) { element.require_numbers(false); }};
}

// Every number of the text a number or an infinity ("inf" for no limit).
inline TextCheck not_nan_text() {
    return {"not NaN", [](const xml::Querier& element) { element.require_numbers(true); }};
}

// An older or alternative name under which the element is also read.
struct AlsoNamed {
    std::string name;
};
inline AlsoNamed also_named(std::string name) { return {std::move(name)}; }

}  // namespace config
