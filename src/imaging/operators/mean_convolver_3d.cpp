#include "imaging/operators/mean_convolver_3d.h"

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<MeanConvolver3dParameters>& mean_convolver_3d_schema() {
    using P = MeanConvolver3dParameters;
    constexpr int kLargestRadius = 1000;
    static const auto schema =
        config::Schema<P>("mean_convolver_3d",
                          "replaces each voxel by the mean of the voxels in the ellipsoid around it")
            .required(&P::i_radius, "i_radius", "the ellipsoid's semi-axis along x, in voxels",
                      integer_in_range(1, kLargestRadius))
            .required(&P::j_radius, "j_radius", "the ellipsoid's semi-axis along y, in voxels",
                      integer_in_range(1, kLargestRadius))
            .required(&P::k_radius, "k_radius", "the ellipsoid's semi-axis along z, in slices",
                      integer_in_range(1, kLargestRadius));
    return schema;
}

}  // namespace ipc
