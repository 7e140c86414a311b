#include "imaging/threshold_segmentors.h"

#include <algorithm>
#include <cmath>

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<AutomaticThreshold::Parameters>& AutomaticThreshold::schema() {
    using P = Parameters;
    const auto method_word = [](const P& p) { return config::ValueForm<ThresholdMethod>::show(p.method); };
    static const auto schema =
        config::Schema<P>("threshold_segmentor",
                          "labels 1 the pixels above a grey threshold computed from the image's histogram, 0 the rest")
            .optional(&P::method, "method",
                      "how the threshold is found: otsu (two clear modes), triangle (foot of the background peak, "
                      "dim nuclei too), li (between them) or fixed (the value of threshold)")
            .optional(&P::threshold, "threshold", "the grey value of the fixed method",
                      not_given_or(real_in_range(0, 65535)))
            .optional(&P::factor, "factor", "multiplies an automatic threshold t: factor * t + offset",
                      real_in_range(0, 1000))
            .optional(&P::offset, "offset", "added to the scaled threshold: factor * t + offset",
                      real_in_range(-65535, 65535))
            .optional(&P::hysteresis, "hysteresis",
                      "a region above the threshold t stays foreground only when a pixel of it lies above "
                      "hysteresis * t (1: off)",
                      real_in_range(1, 1000))
            .rule("threshold", "given with method fixed",
                  [](const P& p) { return p.method != ThresholdMethod::fixed || p.threshold >= 0; },
                  [](const P& p) { return config::quote(p.threshold); })
            .rule("threshold", "given only with method fixed",
                  [](const P& p) { return p.method == ThresholdMethod::fixed || p.threshold < 0; }, method_word,
                  "threshold is only read with method fixed, method = {value} in {key}");
    return schema;
}

void AutomaticThreshold::label(const std::vector<const unsigned short*>& image, const std::vector<int*>& labels,
                               int width, int height) {
    const unsigned short low = threshold();
    // high = hysteresis * t, rounded into the 16-bit range
    const auto high = static_cast<unsigned short>(std::clamp(std::round(p_.hysteresis * low), 0.0, 65535.0));
    regions_.label(image, labels, width, height, low, high);
}

unsigned short AutomaticThreshold::threshold() const {
    double t = p_.threshold;
    switch (p_.method) {
        case ThresholdMethod::otsu: t = otsu_threshold(histogram_.bins()); break;
        case ThresholdMethod::triangle: t = triangle_threshold(histogram_.bins()); break;
        case ThresholdMethod::li: t = li_threshold(histogram_.bins()); break;
        case ThresholdMethod::fixed: break;
    }
    // t' = factor t + offset, rounded into the 16-bit range
    return static_cast<unsigned short>(std::clamp(std::round(p_.factor * t + p_.offset), 0.0, 65535.0));
}

}  // namespace ipc

namespace config {

void ValueForm<ipc::ThresholdMethod>::read(const xml::Querier& element, ipc::ThresholdMethod& value) {
    std::string word;
    element.text(word);
    const xml::Tag* owner = element.current().parent;
    value = ipc::threshold_method(word, owner != nullptr ? owner->name : element.name());
}

std::string ValueForm<ipc::ThresholdMethod>::show(ipc::ThresholdMethod value) {
    switch (value) {
        case ipc::ThresholdMethod::otsu: return "otsu";
        case ipc::ThresholdMethod::triangle: return "triangle";
        case ipc::ThresholdMethod::li: return "li";
        case ipc::ThresholdMethod::fixed: break;
    }
    return "fixed";
}

}  // namespace config
