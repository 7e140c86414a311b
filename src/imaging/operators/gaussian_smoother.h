#pragma once
#include <string>
#include <type_traits>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/operators/operator_parameters.h"
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
template <class I>
class GaussianSmoother {
public:
    using Input = I;
    using Output = I;
    static constexpr bool is_stack = std::is_same_v<I, Image3d<unsigned short>>;

    explicit GaussianSmoother(const xml::Querier& element)
        : sigma_(read_real_in_range(element, "sigma", 0, kLargestSigma)),
          sigma_z_(is_stack ? read_real_in_range(element, "sigma_z", 0, kLargestSigma, sigma_) : 0),
          smoother_(sigma_, sigma_z_) {}

    static std::string word() { return type_word<I>() + "_to_" + type_word<I>() + "_gaussian_smoother"; }

    util::CountedPtr<I> apply(const util::CountedPtr<I>& input) {
        auto output = output_.next();
        smoother_.smooth(*input, *output);
        return output;
    }

    double sigma() const { return sigma_; }
    double sigma_z() const { return sigma_z_; }

private:
    static constexpr double kLargestSigma = 100;
    double sigma_;
    double sigma_z_;
    PlaneSmoother smoother_;
    ReusableImage<I> output_;
};

}  // namespace ipc
