#pragma once
#include <memory>

namespace util {

// Shared ownership of every factory product, component, frame, state and
// filter. The program is single-threaded; the standard pointer's counting
// rules (copy shares, last release deletes through the virtual destructor,
// a null pointer is allowed) are exactly the ones we need.
template <class T>
using CountedPtr = std::shared_ptr<T>;

}  // namespace util
