#include "imaging/operators/plane_smoother.h"

#include <algorithm>

#include "imaging/operators/gaussian_kernel.h"

namespace ipc {

namespace {

// Rounds a smoothed value (a weighted mean of 16-bit values) to 16 bits.
inline unsigned short to_short(float v) { return static_cast<unsigned short>(std::min(v + 0.5f, 65535.0f)); }

}  // namespace

PlaneSmoother::PlaneSmoother(double sigma_xy, double sigma_z)
    : xy_kernel_(gaussian_half_kernel(sigma_xy)), z_kernel_(gaussian_half_kernel(sigma_z)) {}

const float* PlaneSmoother::x_smoothed_row(const Image<unsigned short>& in, int y) {
    const std::size_t slot = static_cast<std::size_t>(y) % ring_.size();
    if (ring_row_[slot] != y) {
        const unsigned short* source = in.row(y);
        for (int x = 0; x < in.width(); ++x) row_in_[x] = source[x];
        smooth_row(row_in_.data(), ring_[slot].data(), in.width(), xy_kernel_, padded_);
        ring_row_[slot] = y;
    }
    return ring_[slot].data();
}

void PlaneSmoother::smooth_plane(const Image<unsigned short>& in, float* out) {
    const int width = in.width();
    const int height = in.height();
    const int radius = static_cast<int>(xy_kernel_.size()) - 1;
    ring_.assign(static_cast<std::size_t>(2 * radius + 1), std::vector<float>(static_cast<std::size_t>(width)));
    ring_row_.assign(ring_.size(), -1);
    row_in_.resize(static_cast<std::size_t>(width));
    std::vector<const float*> rows(ring_.size());
    for (int y = 0; y < height; ++y) {
        for (int k = -radius; k <= radius; ++k)
            rows[static_cast<std::size_t>(k + radius)] = x_smoothed_row(in, std::clamp(y + k, 0, height - 1));
        smooth_across(rows.data(), out + static_cast<std::size_t>(y) * width, width, xy_kernel_);
    }
}

void PlaneSmoother::smooth(const Image<unsigned short>& in, Image<unsigned short>& out) {
    out.resize(in.width(), in.height());
    if (in.empty()) return;
    plane_.resize(in.size());
    smooth_plane(in, plane_.data());
    std::transform(plane_.begin(), plane_.end(), out.begin(), to_short);
}

void PlaneSmoother::smooth(const Image3d<unsigned short>& in, Image3d<unsigned short>& out) {
    out.resize(in.width(), in.height(), in.depth());
    if (in.size() == 0) return;
    const int depth = in.depth();
    const std::size_t plane = static_cast<std::size_t>(in.width()) * static_cast<std::size_t>(in.height());
    slices_.resize(static_cast<std::size_t>(depth));
    for (int z = 0; z < depth; ++z) {
        slices_[z].resize(plane);
        smooth_plane(in.slice(z), slices_[z].data());
    }
    const int radius = static_cast<int>(z_kernel_.size()) - 1;
    std::vector<const float*> around(static_cast<std::size_t>(2 * radius + 1));
    plane_.resize(plane);
    for (int z = 0; z < depth; ++z) {
        for (int k = -radius; k <= radius; ++k)
            around[static_cast<std::size_t>(k + radius)] = slices_[std::clamp(z + k, 0, depth - 1)].data();
        smooth_across(around.data(), plane_.data(), static_cast<int>(plane), z_kernel_);
        std::transform(plane_.begin(), plane_.end(), out.slice(z).begin(), to_short);
    }
}

}  // namespace ipc
