#include "imaging/parameter_checks.h"

#include <cmath>

namespace ipc {

std::string invalid_value_message(const std::string& expected) {
    return "invalid {entry} = {value} in {key} (expected " + expected + ")";
}

config::Check<double> real_in_range(double low, double high) {
    return config::in_range(low, high).says(invalid_value_message("a finite number from " + config::quote(low) +
                                                                  " to " + config::quote(high)));
}

config::Check<double> real_above_at_most(double low, double high) {
    return config::Check<double>{"above " + config::quote(low) + " and at most " + config::quote(high),
                                 [low, high](const double& x) { return x > low && x <= high; }, {}}
        .says(invalid_value_message("a finite number above " + config::quote(low) + " and at most " +
                                    config::quote(high)));
}

config::Check<double> finite_number() { return config::finite().says(invalid_value_message("a finite number")); }

config::Check<double> not_given_or(config::Check<double> check) {
    check.expected += " (or -1: not given)";
    check.holds = [inner = check.holds](const double& x) { return x == -1 || inner(x); };
    return check;
}

namespace {
template <class T>
config::Check<T> whole_in_range(T low, T high) {
    return config::in_range(low, high).says(
        invalid_value_message("an integer from " + config::quote(low) + " to " + config::quote(high)));
}
}  // namespace

config::Check<int> integer_in_range(int low, int high) { return whole_in_range(low, high); }

config::Check<std::int64_t> integer_in_range(std::int64_t low, std::int64_t high) {
    return whole_in_range(low, high);
}

}  // namespace ipc
