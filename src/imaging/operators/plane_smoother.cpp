#include "imaging/operators/plane_smoother.h"

#include <algorithm>

#include "imaging/operators/gaussian_kernel.h"

namespace ipc {

PlaneSmoother::PlaneSmoother(double sigma_xy, double sigma_z)
    : xy_kernel_(gaussian_half_kernel(sigma_xy)), z_kernel_(gaussian_half_kernel(sigma_z)) {}

const float* PlaneSmoother::x_smoothed_row(const Image<unsigned short>& in, int y) {
    const std::size_t slot = static_cast<std::size_t>(y) % ring_.size();
    if (ring_row_[slot] != y) {
        smooth_row(in.row(y), ring_[slot].data(), in.width(), xy_kernel_, padded_);
        ring_row_[slot] = y;
    }
    return ring_[slot].data();
}

template <class Out>
void PlaneSmoother::smooth_plane(const Image<unsigned short>& in, Out* out) {
    const int width = in.width();
    const int height = in.height();
    const int radius = static_cast<int>(xy_kernel_.size()) - 1;
    ring_.resize(static_cast<std::size_t>(2 * radius + 1));
    for (std::vector<float>& slot : ring_) slot.resize(static_cast<std::size_t>(width));
    ring_row_.assign(ring_.size(), -1);
    rows_.resize(ring_.size());
    for (int y = 0; y < height; ++y) {
        for (int k = -radius; k <= radius; ++k)
            rows_[static_cast<std::size_t>(k + radius)] = x_smoothed_row(in, std::clamp(y + k, 0, height - 1));
        smooth_across(rows_.data(), out + static_cast<std::size_t>(y) * width, width, xy_kernel_);
    }
}

void PlaneSmoother::smooth(const Image<unsigned short>& in, Image<unsigned short>& out) {
    out.resize_for_overwrite(in.width(), in.height());  // every row is written
    if (in.empty()) return;
    // Each row is rounded to 16 bits as soon as it is smoothed.
    smooth_plane(in, out.data());
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
    for (int z = 0; z < depth; ++z) {
        for (int k = -radius; k <= radius; ++k)
            around[static_cast<std::size_t>(k + radius)] = slices_[std::clamp(z + k, 0, depth - 1)].data();
        smooth_across(around.data(), out.slice(z).data(), static_cast<int>(plane), z_kernel_);
    }
}

}  // namespace ipc
