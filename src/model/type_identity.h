#pragma once
#include <atomic>

namespace model {

// Run-time type identities: one program-wide counter per family (frames,
// states); a class receives the next value the first time its identity is
// asked for and keeps it for the rest of the run.
template <class Family>
int next_identity() {
    // Atomic: a stage running on its own thread may meet a class first.
    static std::atomic<int> counter{0};
    return ++counter;
}

template <class Family, class T>
int identity_of() {
    static const int id = next_identity<Family>();
    return id;
}

}  // namespace model
