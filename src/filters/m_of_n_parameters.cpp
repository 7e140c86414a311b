#include "filters/m_of_n_parameters.h"

#include <cmath>

namespace ostrel {

std::int32_t read_m(const xml::Querier& querier) {
    const auto m = querier.read<std::int32_t>("m");
    if (m < 1) throw util::Exception("m is less than 1");
    return m;
}

std::int32_t read_n(const xml::Querier& querier, std::int32_t m) {
    const auto n = querier.read<std::int32_t>("n");
    if (n < m) throw util::Exception("m is larger than n");
    return n;
}

double read_log_reward(const xml::Querier& querier, const std::string& key) {
    const double reward = querier.read<double>(key);
    if (!(reward > 0.0)) throw util::Exception(key + " is not positive");
    return std::log(reward);
}

}  // namespace ostrel
