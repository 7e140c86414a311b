#pragma once
#include <string>
#include <vector>

#include "config/declare.h"
#include "tracker/filter.h"

namespace ostrel {

struct FilterKey {
    std::string key;
    FilterFactory::Creator creator;
    // Declares the class's parameter schema under the key, when it has one.
    void (*declare)(const std::string& key) = nullptr;
};

// The catalogue line of a key whose class is built from its element.
template <class T>
FilterKey filter_entry(const char* key) {
    return {key, &util::create<const Filter, T>, &config::declare_schema_of<T>};
}

// Registers a group of catalogue lines in order and declares their schemas.
void register_filter_keys(FilterFactory& factory, const std::vector<FilterKey>& keys);

// Every filter key this library provides with its creator, in registration
// order: the structural filters ("no_op", "bad_op", "composite"), then the
// track life scores, the kinematic filters and the track management
// operations, the passive-sensor and platform filters and the feature
// filters.
const std::vector<FilterKey>& filter_keys();

// Registers filter_keys() in order; a key already present prints the
// duplicate-key warning and keeps its first creator.
void register_filters(FilterFactory& factory);

}  // namespace ostrel
