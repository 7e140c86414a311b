#pragma once
#include <tuple>
#include <vector>

namespace ipc {

// One neighbour of a voxel: dx along a row, dy across rows, dz across slices.
struct VoxelOffset {
    int dx;
    int dy;
    int dz;
};

inline bool operator<(const VoxelOffset& a, const VoxelOffset& b) {
    return std::tie(a.dx, a.dy, a.dz) < std::tie(b.dx, b.dy, b.dz);
}
inline bool operator==(const VoxelOffset& a, const VoxelOffset& b) {
    return a.dx == b.dx && a.dy == b.dy && a.dz == b.dz;
}

// Every integer offset (i, j, k) with i²/ri² + j²/rj² + k²/rk² <= 1, i outer
// and k inner, all ascending. The semi-axes must be at least 1; the test is
// done exactly in integers.
std::vector<VoxelOffset> ellipsoid_offsets(long long ri, long long rj, long long rk);

}  // namespace ipc
