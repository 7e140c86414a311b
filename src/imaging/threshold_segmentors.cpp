#include "imaging/threshold_segmentors.h"

#include <algorithm>
#include <cmath>

#include "imaging/operators/operator_parameters.h"

namespace ipc {

AutomaticThreshold::AutomaticThreshold(const xml::Querier& element) {
    std::string method = "otsu";
    element.read_optional("method", method);
    method_ = threshold_method(method, element.name());
    if (method_ == ThresholdMethod::fixed)
        fixed_ = read_real_in_range(element, "threshold", 0, 65535);
    else if (element.has_tag("threshold"))
        throw util::Exception("threshold is only read with method fixed, method = " + method + " in " +
                              element.name());
    factor_ = read_real_in_range(element, "factor", 0, 1000, 1.0);
    offset_ = read_real_in_range(element, "offset", -65535, 65535, 0.0);
    hysteresis_ = read_real_in_range(element, "hysteresis", 1, 1000, 1.0);
}

void AutomaticThreshold::label(const std::vector<const unsigned short*>& image, const std::vector<int*>& labels,
                               int width, int height) {
    const unsigned short low = threshold();
    // high = hysteresis * t, rounded into the 16-bit range
    const auto high = static_cast<unsigned short>(std::clamp(std::round(hysteresis_ * low), 0.0, 65535.0));
    regions_.label(image, labels, width, height, low, high);
}

unsigned short AutomaticThreshold::threshold() const {
    double t = fixed_;
    switch (method_) {
        case ThresholdMethod::otsu: t = otsu_threshold(histogram_.bins()); break;
        case ThresholdMethod::triangle: t = triangle_threshold(histogram_.bins()); break;
        case ThresholdMethod::li: t = li_threshold(histogram_.bins()); break;
        case ThresholdMethod::fixed: break;
    }
    // t' = factor t + offset, rounded into the 16-bit range
    return static_cast<unsigned short>(std::clamp(std::round(factor_ * t + offset_), 0.0, 65535.0));
}

}  // namespace ipc
