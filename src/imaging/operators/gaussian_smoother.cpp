#include "imaging/operators/gaussian_smoother.h"

#include "imaging/parameter_checks.h"

namespace ipc {

namespace {

constexpr double kLargestSigma = 100;  // pixels

config::Schema<GaussianSmootherParameters> plane_schema(const std::string& key, const std::string& meaning) {
    using P = GaussianSmootherParameters;
    return config::Schema<P>(key, meaning)
        .required(&P::sigma, "sigma",
                  "the standard deviation of the blur in pixels (0 copies the image); about a sixth of the "
                  "nucleus diameter",
                  real_in_range(0, kLargestSigma));
}

}  // namespace

const config::Schema<GaussianSmootherParameters>& gaussian_smoother_schema(bool stack) {
    using P = GaussianSmootherParameters;
    static const auto image = plane_schema(
        "gaussian_smoother", "blurs each image with a Gaussian to even out pixel noise before a threshold");
    static const auto stack_schema =
        plane_schema("gaussian_smoother_3d", "blurs each stack with a Gaussian to even out voxel noise before a "
                                             "threshold")
            .optional(&P::sigma_z, "sigma_z",
                      "the standard deviation across slices, in slices (-1: sigma); smaller when slices lie further "
                      "apart than pixels",
                      not_given_or(real_in_range(0, kLargestSigma)));
    return stack ? stack_schema : image;
}

}  // namespace ipc
