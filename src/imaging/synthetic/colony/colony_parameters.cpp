#include "imaging/synthetic/colony/colony_parameters.h"

#include <sstream>

#include "util/exception.h"

namespace synth::colony {

namespace {

template <class T>
void check_range(const char* name, T value, T low, T high) {
    // Written so that NaN fails too.
    if (!(value >= low && value <= high)) {
        std::ostringstream message;
        message << name << " must be from " << low << " to " << high << ", " << name << " = " << value;
        throw util::Exception(message.str());
    }
}

}  // namespace

void ColonyParameters::validate() const {
    check_range("width", width, 32, 4096);
    check_range("height", height, 32, 4096);
    check_range("founders", founders, 1, 1000);
    check_range("frames", frames, 1, 1000);
    check_range("cell_width", cell_width, 2.0, 50.0);
    // A newborn rod (half the division length) must still be longer than
    // wide, or its long axis - and the axis of its division - is undefined.
    check_range("division_length", division_length, 2.5 * cell_width, 400.0);
    check_range("doubling_time", doubling_time, 2.0, 1000.0);
    check_range("jitter", jitter, 0.0, 10.0);
    check_range("background", background, 0.0, 60000.0);
    check_range("contrast", contrast, 1.0, 60000.0);
    check_range("noise", noise, 0.0, 10000.0);
    check_range("psf_sigma", psf_sigma, 0.0, 10.0);
    if (background + 1.25 * contrast > 65535.0) {
        std::ostringstream message;
        message << "background + 1.25 contrast must not exceed 65535, background = " << background
                << ", contrast = " << contrast;
        throw util::Exception(message.str());
    }
}

}  // namespace synth::colony
