#include "imaging/hysteresis.h"

#include <algorithm>
#include <cstddef>

namespace ipc {

void Hysteresis::label(const std::vector<const unsigned short*>& image, const std::vector<int*>& labels, int width,
                       int height, unsigned short low, unsigned short high) {
    const int depth = static_cast<int>(labels.size());
    const std::size_t plane = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (high <= low) {
        for (int z = 0; z < depth; ++z)
            std::transform(image[z], image[z] + plane, labels[z], [low](unsigned short v) { return v > low ? 1 : 0; });
        return;
    }
    for (int z = 0; z < depth; ++z) std::fill(labels[z], labels[z] + plane, 0);
    auto take = [&](int x, int y, int z) {
        const std::size_t i = static_cast<std::size_t>(y) * width + x;
        if (labels[z][i] != 0 || image[z][i] <= low) return;
        labels[z][i] = 1;
        stack_.push_back(Pixel{x, y, z});
    };
    for (int z = 0; z < depth; ++z)
        for (int y = 0; y < height; ++y) {
            const unsigned short* row = image[z] + static_cast<std::size_t>(y) * width;
            for (int x = 0; x < width; ++x) {
                if (row[x] <= high || labels[z][static_cast<std::size_t>(y) * width + x] != 0) continue;
                take(x, y, z);
                while (!stack_.empty()) {
                    const Pixel p = stack_.back();
                    stack_.pop_back();
                    if (p.x > 0) take(p.x - 1, p.y, p.z);
                    if (p.x + 1 < width) take(p.x + 1, p.y, p.z);
                    if (p.y > 0) take(p.x, p.y - 1, p.z);
                    if (p.y + 1 < height) take(p.x, p.y + 1, p.z);
                    if (p.z > 0) take(p.x, p.y, p.z - 1);
                    if (p.z + 1 < depth) take(p.x, p.y, p.z + 1);
                }
            }
        }
}

}  // namespace ipc
