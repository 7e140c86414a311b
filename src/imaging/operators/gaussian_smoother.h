#pragma once
#include <string>
#include <type_traits>

#include "config/schema.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/operators/plane_smoother.h"
#include "imaging/reusable_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// Gaussian smoothing of a 16-bit image (I = Image<unsigned short>) or
// stack (I = Image3d<unsigned short>), the usual step before a threshold:
// it evens out pixel noise so that a nucleus thresholds as one solid region.
// "sigma": the standard deviation in pixels, 0 to 100 (0 copies the image);
// about a sixth of the nucleus diameter keeps nuclei apart while smoothing
// the noise. A stack also takes the optional "sigma_z" across slices
// (default: "sigma"), smaller when slices lie further apart than pixels.
// Keys "short_image_to_short_image_gaussian_smoother_algorithm_component"
// and "short_image_3d_to_short_image_3d_gaussian_smoother_algorithm_component".
struct GaussianSmootherParameters {
    double sigma = 0;
    double sigma_z = -1;  // stacks only; -1: as sigma
};
// The parameters of the 2-D smoother, or with "sigma_z" those of the 3-D one.
const config::Schema<GaussianSmootherParameters>& gaussian_smoother_schema(bool stack);

template <class I>
class GaussianSmoother {
public:
    using Input = I;
    using Output = I;
    static constexpr bool is_stack = std::is_same_v<I, Image3d<unsigned short>>;

    using Parameters = GaussianSmootherParameters;
    static const config::Schema<Parameters>& schema() { return gaussian_smoother_schema(is_stack); }

    explicit GaussianSmoother(const Parameters& parameters)
        : sigma_(schema().validate(parameters).sigma),
          sigma_z_(!is_stack ? 0 : parameters.sigma_z == -1 ? sigma_ : parameters.sigma_z),
          smoother_(sigma_, sigma_z_) {}
    explicit GaussianSmoother(const xml::Querier& element) : GaussianSmoother(schema().bind(element)) {}

    static std::string word() { return type_word<I>() + "_to_" + type_word<I>() + "_gaussian_smoother"; }

    util::CountedPtr<I> apply(const util::CountedPtr<I>& input) {
        auto output = output_.next();
        smoother_.smooth(*input, *output);
        return output;
    }

    double sigma() const { return sigma_; }
    double sigma_z() const { return sigma_z_; }

private:
    double sigma_;
    double sigma_z_;
    PlaneSmoother smoother_;
    ReusableImage<I> output_;
};

}  // namespace ipc
