#include "filters/filter_parameters.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "util/exception.h"

namespace ostrel {

std::string number_text(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

double read_threshold(const xml::Querier& querier, const std::string& key) {
    const xml::Querier element = querier.tag(key);
    if (element.raw_text() == "infinity") return std::numeric_limits<double>::infinity();
    double value = 0;
    element.text(value);
    // A NaN threshold would silently accept everything; a negative one
    // would reject everything.
    if (!(value >= 0.0))
        throw util::Exception(key + " must be a non-negative number or \"infinity\": " + key +
                              " = " + number_text(value));
    return value;
}

double read_non_negative_rate(const xml::Querier& querier, const std::string& key) {
    const double value = querier.read<double>(key);
    if (!(value >= 0.0))
        throw util::Exception(key + " must be non-negative: " + key + " = " + number_text(value));
    return value;
}

void check_process_noise(const double* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (values[i] >= 0.0 && std::isfinite(values[i])) continue;
        throw util::Exception("process_noise must be non-negative and finite: process_noise[" +
                              std::to_string(i) + "] = " + number_text(values[i]));
    }
}

}  // namespace ostrel
