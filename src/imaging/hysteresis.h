#pragma once
#include <vector>

namespace ipc {

// Hysteresis thresholding of an image or stack given as slices: a pixel is
// foreground (label 1) when it is above `low` and face-connected through
// such pixels to a pixel above `high`; all others get 0. With high <= low it
// is a plain threshold. Noise that barely crosses a low threshold stays
// background, while a nucleus keeps its full extent down to the low one.
// Scratch storage lives in the object.
class Hysteresis {
public:
    void label(const std::vector<const unsigned short*>& image, const std::vector<int*>& labels, int width,
               int height, unsigned short low, unsigned short high);

private:
    struct Pixel {
        int x, y, z;
    };
    std::vector<Pixel> stack_;
};

}  // namespace ipc
