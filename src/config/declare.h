#pragma once
#include <string>
#include <type_traits>

#include "config/catalogue.h"
#include "util/factory.h"

namespace config {

// Whether class T declares its parameters: `static const Schema<...>& schema()`.
template <class T, class = void>
struct HasSchema : std::false_type {};
template <class T>
struct HasSchema<T, std::void_t<decltype(T::schema())>> : std::true_type {};

// Declares T's schema to the catalogue when it has one; registration
// routines call this beside each key they register.
template <class T>
void declare_schema_of(const std::string& key) {
    if constexpr (HasSchema<T>::value) declare(key, T::schema());
}

// One catalogue line: registers the key with the creator that builds T from
// its element, and declares T's schema under the key for --describe.
template <class Base, class T, class Factory>
void register_key(Factory& factory, const std::string& key) {
    util::register_key(factory, key, &util::create<Base, T>);
    declare_schema_of<T>(key);
}

}  // namespace config
