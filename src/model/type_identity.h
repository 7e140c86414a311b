#pragma once
#include <mutex>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace model {

// Run-time type identities: one program-wide counter per family (frames,
// states, footprints of one dimension); a class receives the next value the
// first time its identity is asked for and keeps it for the rest of the run.
// Each identity also records a readable name of its class, for messages.

// The names of a family's kinds, indexed by identity - 1. Guarded: a stage
// running on its own thread may meet a class first.
template <class Family>
std::vector<std::string>& kind_names() {
    static std::vector<std::string> names;
    return names;
}
template <class Family>
std::mutex& kind_names_mutex() {
    static std::mutex mutex;
    return mutex;
}

template <class Family>
int next_identity(std::string name) {
    std::lock_guard<std::mutex> lock(kind_names_mutex<Family>());
    std::vector<std::string>& names = kind_names<Family>();
    names.push_back(std::move(name));
    return static_cast<int>(names.size());
}

// A class's configuration key when it has a static key(), else its
// demangled C++ name.
std::string demangled(const char* mangled);

template <class T, class = void>
struct HasKey : std::false_type {};
template <class T>
struct HasKey<T, std::void_t<decltype(std::string(T::key()))>> : std::true_type {};

template <class T>
std::string kind_name_of() {
    if constexpr (HasKey<T>::value) {
        return std::string(T::key());
    } else {
        return demangled(typeid(T).name());
    }
}

template <class Family, class T>
int identity_of() {
    static const int id = next_identity<Family>(kind_name_of<T>());
    return id;
}

// The name recorded for an identity of the family.
template <class Family>
std::string kind_name(int identity) {
    std::lock_guard<std::mutex> lock(kind_names_mutex<Family>());
    const std::vector<std::string>& names = kind_names<Family>();
    if (identity >= 1 && identity <= static_cast<int>(names.size())) return names[identity - 1];
    return "kind " + std::to_string(identity);
}

}  // namespace model
