#pragma once
#include <cstdint>
#include <string>

#include "xml/querier.h"

namespace ostrel {

// Parameters shared by the m-of-n confirmers and gaters, each checked as soon
// as it is read.

// "m": at least 1 ("m is less than 1").
std::int32_t read_m(const xml::Querier& querier);
// "n": at least m ("m is larger than n").
std::int32_t read_n(const xml::Querier& querier, std::int32_t m);
// ln of the positive reward `key` ("<key> is not positive").
double read_log_reward(const xml::Querier& querier, const std::string& key);

}  // namespace ostrel
