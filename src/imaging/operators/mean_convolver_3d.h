#pragma once
#include <string>
#include <vector>

#include "config/schema.h"
#include "imaging/image_3d.h"
#include "imaging/operators/ellipsoid_neighbourhood.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/operators/window_steps.h"
#include "imaging/operators/window_sums.h"
#include "imaging/type_words.h"
#include "xml/querier.h"

namespace ipc {

// Each output voxel is the mean of the input voxels in the ellipsoid with
// semi-axes "i_radius" (x), "j_radius" (y) and "k_radius" (z) around it,
// over the voxels inside the volume, rounded half away from zero and clamped
// to the output type. Semi-axes below 1 are refused (the ellipsoid test
// divides by them). Window sums move along each row as in 2-D.
// Semi-axes in voxels, each 1 to 1000: with them the ellipsoid test
// i² rj² rk² + j² ri² rk² + k² ri² rj² <= ri² rj² rk² stays exact in 64 bits.
struct MeanConvolver3dParameters {
    int i_radius = 1;
    int j_radius = 1;
    int k_radius = 1;
};
const config::Schema<MeanConvolver3dParameters>& mean_convolver_3d_schema();

template <class In, class Out>
class MeanConvolver3d {
public:
    using Input = In;
    using Output = Out;
    using InPixel = typename In::value_type;
    using OutPixel = typename Out::value_type;
    using Sum = WindowSumType<InPixel>;

    using Parameters = MeanConvolver3dParameters;
    static const config::Schema<Parameters>& schema() { return mean_convolver_3d_schema(); }

    explicit MeanConvolver3d(const Parameters& parameters)
        : offsets_(ellipsoid_offsets(schema().validate(parameters).i_radius, parameters.j_radius,
                                     parameters.k_radius)),
          steps_(steps_to_the_right(offsets_)) {}
    explicit MeanConvolver3d(const xml::Querier& element) : MeanConvolver3d(schema().bind(element)) {}

    static std::string word() { return type_word<In>() + "_to_" + type_word<Out>() + "_mean_convolver"; }

    util::CountedPtr<Out> apply(const util::CountedPtr<In>& input) const {
        const In& in = *input;
        util::CountedPtr<Out> out = std::make_shared<Out>(in.width(), in.height(), in.depth());
        if (in.width() == 0) return out;
        for (int z = 0; z < in.depth(); ++z)
            for (int y = 0; y < in.height(); ++y) {
                WindowSum<Sum> window;
                accumulate(in, offsets_, 0, y, z, +1, window);
                (*out)(0, y, z) = mean_of(window);
                for (int x = 1; x < in.width(); ++x) {
                    accumulate(in, steps_.leaving, x - 1, y, z, -1, window);
                    accumulate(in, steps_.entering, x, y, z, +1, window);
                    (*out)(x, y, z) = mean_of(window);
                }
            }
        return out;
    }

    const std::vector<VoxelOffset>& offsets() const { return offsets_; }

private:
    static OutPixel mean_of(const WindowSum<Sum>& window) {
        return to_pixel<OutPixel>(rounded_mean(window.sum, window.count));  // round(sum / count)
    }

    // Adds (sign +1) or removes (sign -1) the in-volume voxels at centre + offset.
    static void accumulate(const In& in, const std::vector<VoxelOffset>& offsets, int x, int y, int z, int sign,
                           WindowSum<Sum>& window) {
        for (const VoxelOffset& o : offsets) {
            const int px = x + o.dx, py = y + o.dy, pz = z + o.dz;
            if (px < 0 || px >= in.width() || py < 0 || py >= in.height() || pz < 0 || pz >= in.depth()) continue;
            const Sum v = static_cast<Sum>(in(px, py, pz));
            window.sum += sign > 0 ? v : -v;
            window.count += sign;
        }
    }

    std::vector<VoxelOffset> offsets_;
    WindowSteps<VoxelOffset> steps_;
};

}  // namespace ipc
