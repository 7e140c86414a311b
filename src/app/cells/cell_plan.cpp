#include "app/cells/cell_plan.h"

#include <algorithm>
#include <cmath>

#include "app/cells/xml_element.h"
#include "util/exception.h"

namespace cells {

TrackingNumbers derive_numbers(const CellTrackingPlan& plan) {
    const double n = plan.dimensions;
    const double pi = std::acos(-1.0);
    TrackingNumbers numbers{};
    numbers.surveillance_area = static_cast<double>(plan.width) * plan.height * (plan.dimensions == 3 ? plan.depth : 1);
    // A move of max_speed shared evenly among the axes is one standard
    // deviation of the random walk: q = s^2 / n per axis. The contacts'
    // likelihood then still prefers the nearer of two candidates, and the
    // gate below reaches about three times as far.
    numbers.process_noise = plan.max_speed * plan.max_speed / n;
    // 99.9 % of a Gaussian: the chi-square quantile for 2 or 3 degrees of freedom.
    numbers.gate = plan.dimensions == 3 ? 16.27 : 13.8;
    // A centroid wanders by about a tenth of the diameter as the outline changes.
    numbers.position_sigma = std::max(1.0, plan.diameter / 10);
    // Specks below 2 % of a cell's area (volume), and below 4 pixels, are
    // noise, not cells (2 or 3 pixels of noise pass a low threshold); every
    // piece of a label mask counts.
    const double cell_size =
        plan.dimensions == 3 ? pi * std::pow(plan.diameter, 3) / 6 : pi * plan.diameter * plan.diameter / 4;
    numbers.minimum_contact_size = plan.masks ? 1 : std::max(4, static_cast<int>(std::lround(0.02 * cell_size)));
    // Segmentation: a blur of a seventh of the diameter evens out the pixel
    // noise yet keeps neighbours apart; the background is measured on squares
    // of 2.5 diameters, well larger than a cell; touching cells are split
    // from centres at least 0.6 diameters apart.
    numbers.smoothing_sigma = std::round(100 * plan.diameter / 7) / 100;
    numbers.threshold_method = "triangle";
    if (plan.rods) {
        // Rods are told apart by the seams between them, a few pixels wide:
        // the blur is a seventh of a rod's width, and the width comes from
        // the area of a disc of the diameter, A ~ width * length = e width^2.
        const double width = std::sqrt(pi * plan.diameter * plan.diameter / 4 / std::clamp(plan.elongation, 1.0, 10.0));
        numbers.smoothing_sigma = std::round(100 * width / 7) / 100;
        // A colony is mostly cells: two classes, cells and seams with the
        // background, split where Otsu's threshold puts them.
        numbers.threshold_method = "otsu";
    }
    // Noisy images: pixel noise breaks a nucleus into pieces and a division
    // goes unseen, so the blur widens as the cells sink into the noise (on
    // generated nuclei, complete tracks rose from 0.38 to 0.60 at a ratio of
    // 7 and from 0.11 to 0.36 at 2.6). It stays bounded: a blur of twice the
    // usual merged neighbouring nuclei.
    if (plan.signal_to_noise > 0 && plan.signal_to_noise < kQuietSignalToNoise) {
        const double widening = std::min(kWidestBlurFactor, std::sqrt(kQuietSignalToNoise / plan.signal_to_noise));
        numbers.smoothing_sigma = std::round(100 * numbers.smoothing_sigma * widening) / 100;
    }
    numbers.background_scale = std::max(4, static_cast<int>(std::lround(2.5 * plan.diameter)));
    numbers.seed_distance = std::max(1, static_cast<int>(std::lround(0.6 * plan.diameter)));
    // Lineage: daughters start about a diameter from their mother and from
    // each other; a cell found again after a gap has moved a few steps.
    numbers.search_radius = std::max(2 * plan.diameter, 4 * plan.max_speed);
    numbers.motion_sigma = std::max(1.0, 0.75 * plan.max_speed);
    // Fast daughters stray further from where their mother was headed.
    numbers.midpoint_sigma = std::max({1.0, 0.3 * plan.diameter, 0.5 * plan.max_speed});
    // The cell-tracking-challenge names: mask000.tif below 1000 frames,
    // mask0000.tif from then on.
    numbers.mask_digits = plan.frames >= 1000 ? 4 : 3;
    return numbers;
}

void validate(const CellTrackingPlan& plan) {
    auto check = [](const std::string& name, double value, double low, double high, const std::string& unit) {
        if (!(value >= low && value <= high))
            throw util::Exception(name + " must lie between " + number_text(low) + " and " + number_text(high) + " " +
                                  unit + ", " + name + " = " + number_text(value));
    };
    check("diameter", plan.diameter, 1, 10000, "pixels");
    check("maximum speed", plan.max_speed, 0.01, 10000, "pixels per frame");
    if (plan.dimensions != 2 && plan.dimensions != 3)
        throw util::Exception("images must be 2-D or 3-D, dimensions = " + std::to_string(plan.dimensions));
    if (plan.width <= 0 || plan.height <= 0 || plan.depth <= 0)
        throw util::Exception("empty images: " + std::to_string(plan.width) + " x " + std::to_string(plan.height) +
                              " x " + std::to_string(plan.depth));
}

}  // namespace cells
