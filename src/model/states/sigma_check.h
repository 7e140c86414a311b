#pragma once
#include <sstream>
#include <string>

#include "util/exception.h"

namespace state {

// Standard deviations must not be negative; NaN is rejected as well.
template <class It>
void check_sigmas(It first, It last, const std::string& owner) {
    for (It it = first; it != last; ++it) {
        if (!(*it >= 0)) {
            std::ostringstream message;
            message << "sigma is negative in " << owner << ": sigma = " << *it;
            throw util::Exception(message.str());
        }
    }
}

}  // namespace state
