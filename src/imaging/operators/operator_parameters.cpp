#include "imaging/operators/operator_parameters.h"

#include <cmath>
#include <sstream>

#include "util/exception.h"

namespace ipc {

namespace {

[[noreturn]] void reject(const xml::Querier& element, const std::string& key, const std::string& value,
                         const std::string& expected) {
    throw util::Exception("invalid " + key + " = " + value + " in " + element.name() + " (expected " + expected +
                          ")");
}

}  // namespace

std::string number_text(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

double read_finite(const xml::Querier& element, const std::string& key) {
    const double value = element.read<double>(key);
    if (!std::isfinite(value)) reject(element, key, number_text(value), "a finite number");
    return value;
}

double read_real_in_range(const xml::Querier& element, const std::string& key, double lowest, double highest) {
    const double value = element.read<double>(key);
    if (!std::isfinite(value) || value < lowest || value > highest)
        reject(element, key, number_text(value),
               "a finite number from " + number_text(lowest) + " to " + number_text(highest));
    return value;
}

long long read_integer_in_range(const xml::Querier& element, const std::string& key, long long lowest,
                                long long highest) {
    const long long value = element.read<long long>(key);
    if (value < lowest || value > highest)
        reject(element, key, std::to_string(value),
               "an integer from " + std::to_string(lowest) + " to " + std::to_string(highest));
    return value;
}

double read_real_in_range(const xml::Querier& element, const std::string& key, double lowest, double highest,
                          double fallback) {
    return element.has_tag(key) ? read_real_in_range(element, key, lowest, highest) : fallback;
}

long long read_integer_in_range(const xml::Querier& element, const std::string& key, long long lowest,
                                long long highest, long long fallback) {
    return element.has_tag(key) ? read_integer_in_range(element, key, lowest, highest) : fallback;
}

}  // namespace ipc
