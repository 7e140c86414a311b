#pragma once
#include <string>

#include "config/schema.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/operators/background_estimate.h"
#include "imaging/reusable_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// Background correction for uneven illumination: subtracts a smooth
// background estimated on squares of "scale" pixels (see
// BackgroundEstimator); a stack is corrected slice by slice. "scale" (4 to
// 65535) should be a few nucleus diameters, so that every square holds
// plenty of background, and smaller than the distance over which the
// illumination changes. Keys
// "short_image_to_short_image_background_subtractor_algorithm_component" and
// "short_image_3d_to_short_image_3d_background_subtractor_algorithm_component".
struct BackgroundSubtractorParameters {
    int scale = 0;
};
const config::Schema<BackgroundSubtractorParameters>& background_subtractor_schema();

template <class I>
class BackgroundSubtractor {
public:
    using Input = I;
    using Output = I;

    using Parameters = BackgroundSubtractorParameters;
    static const config::Schema<Parameters>& schema() { return background_subtractor_schema(); }

    explicit BackgroundSubtractor(const Parameters& parameters) : estimator_(schema().validate(parameters).scale) {}
    explicit BackgroundSubtractor(const xml::Querier& element) : BackgroundSubtractor(schema().bind(element)) {}

    static std::string word() { return type_word<I>() + "_to_" + type_word<I>() + "_background_subtractor"; }

    util::CountedPtr<I> apply(const util::CountedPtr<I>& input) {
        auto output = output_.next();
        subtract(*input, *output);
        return output;
    }

    // The pedestal the last image (slice) got: three times its noise.
    float pedestal() const { return estimator_.pedestal(); }

private:
    void subtract(const Image<unsigned short>& in, Image<unsigned short>& out) { estimator_.subtract(in, out); }
    void subtract(const Image3d<unsigned short>& in, Image3d<unsigned short>& out) {
        out.resize(in.width(), in.height(), in.depth());
        for (int z = 0; z < in.depth(); ++z) estimator_.subtract(in.slice(z), out.slice(z));
    }

    BackgroundEstimator estimator_;
    ReusableImage<I> output_;
};

}  // namespace ipc
