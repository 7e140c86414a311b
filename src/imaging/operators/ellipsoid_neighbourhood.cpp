#include "imaging/operators/ellipsoid_neighbourhood.h"

namespace ipc {

std::vector<VoxelOffset> ellipsoid_offsets(long long ri, long long rj, long long rk) {
    // i²/ri² + j²/rj² + k²/rk² <= 1  <=>  i² rj² rk² + j² ri² rk² + k² ri² rj² <= ri² rj² rk²
    const long long ii = ri * ri, jj = rj * rj, kk = rk * rk;
    const long long bound = ii * jj * kk;
    std::vector<VoxelOffset> offsets;
    for (long long i = -ri; i <= ri; ++i)
        for (long long j = -rj; j <= rj; ++j)
            for (long long k = -rk; k <= rk; ++k)
                if (i * i * jj * kk + j * j * ii * kk + k * k * ii * jj <= bound)
                    offsets.push_back({static_cast<int>(i), static_cast<int>(j), static_cast<int>(k)});
    return offsets;
}

}  // namespace ipc
