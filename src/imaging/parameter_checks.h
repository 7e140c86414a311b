#pragma once
#include <cstdint>
#include <string>

#include "config/check.h"

namespace ipc {

// The range checks of the image keys' parameters. A value outside the range
// is refused with the message the image keys have always given, which names
// the element, the value and the key:
//   "invalid radius = -1 in circle_mask (expected a finite number from 0 to 65535)"

// A number x with low <= x <= high (so never NaN or an infinity).
config::Check<double> real_in_range(double low, double high);

// A number x with low < x <= high.
config::Check<double> real_above_at_most(double low, double high);

// Any finite number.
config::Check<double> finite_number();

// An integer n with low <= n <= high.
config::Check<int> integer_in_range(int low, int high);
config::Check<std::int64_t> integer_in_range(std::int64_t low, std::int64_t high);

// The same check, also passed by -1, which stands for "not given" in the
// parameters whose default depends on others.
config::Check<double> not_given_or(config::Check<double> check);

// The message of a failed range check: "invalid {entry} = {value} in {key}
// (expected <expected>)", the placeholders filled in by the schema.
std::string invalid_value_message(const std::string& expected);

}  // namespace ipc
