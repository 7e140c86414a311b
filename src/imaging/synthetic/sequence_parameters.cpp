#include "imaging/synthetic/sequence_parameters.h"

#include <cmath>
#include <sstream>
#include <string>

#include "util/exception.h"

namespace synth {

namespace {

template <class T>
void check_range(const char* name, T value, T low, T high) {
    // Written so that NaN fails too.
    if (!(value >= low && value <= high)) {
        std::ostringstream message;
        message << name << " must be from " << low << " to " << high << ", " << name << " = "
                << value;
        throw util::Exception(message.str());
    }
}

}  // namespace

void SequenceParameters::validate() const {
    check_range("width", width, 16, 4096);
    check_range("height", height, 16, 4096);
    check_range("cells", cells, 0, 2000);
    // Frame numbers have three digits, so that listing the files by name
    // gives them in time order.
    check_range("frames", frames, 1, 1000);
    check_range("radius", radius, 2.0, 50.0);
    check_range("speed", speed, 0.0, 50.0);
    check_range("division_rate", division_rate, 0.0, 1.0);
    check_range("entry_rate", entry_rate, 0.0, 10.0);
    check_range("background", background, 0.0, 60000.0);
    check_range("contrast", contrast, 1.0, 60000.0);
    check_range("noise", noise, 0.0, 10000.0);
    // Below 0.8 two nuclei may hide most of each other.
    check_range("spacing", spacing, 0.8, 4.0);
    check_range("elongation", elongation, 1.0, 3.0);
    // Brightness is drawn within 1 +- 2.5 spread, so 0.3 keeps every nucleus
    // at a quarter of the contrast or more.
    check_range("brightness_spread", brightness_spread, 0.0, 0.3);
    check_range("dim_fraction", dim_fraction, 0.0, 1.0);
    check_range("dim_level", dim_level, 0.05, 1.0);
    check_range("uneven", uneven, 0.0, 60000.0);
    check_range("blur", blur, 0.1, 10.0);
    // The brightest nucleus on the brightest background must stay below the
    // 16-bit limit.
    const double brightest_factor = 1.0 + 2.5 * brightness_spread;
    if (background + uneven + brightest_factor * contrast > 65535.0) {
        std::ostringstream message;
        message << "background + uneven + " << brightest_factor
                << " contrast must not exceed 65535, background = " << background << ", uneven = " << uneven
                << ", contrast = " << contrast;
        throw util::Exception(message.str());
    }
}

}  // namespace synth
