#pragma once
#include <string>
#include <vector>

namespace ipc {

// Largest radius of a 2-D mask: keeps centre + offset inside int arithmetic
// for every image a 32-bit size can describe.
constexpr double kLargestMaskRadius = 65535;

// One neighbour of a mask, relative to its centre.
struct MaskOffset {
    int dx;
    int dy;
};

inline bool operator==(const MaskOffset& a, const MaskOffset& b) { return a.dx == b.dx && a.dy == b.dy; }
inline bool operator<(const MaskOffset& a, const MaskOffset& b) {
    return a.dx != b.dx ? a.dx < b.dx : a.dy < b.dy;
}

// A neighbourhood for the convolvers: an ordered list of offsets, the centre
// the operators currently look at, and the bounding box of the offsets.
// Concrete masks ("circle_mask", "disk_mask") fill the offsets when built; a
// mask without offsets is refused, so every operator sees at least one.
class Mask {
public:
    virtual ~Mask() = default;

    const std::vector<MaskOffset>& offsets() const { return offsets_; }
    std::size_t size() const { return offsets_.size(); }

    int x() const { return x_; }
    int y() const { return y_; }
    void move_to(int x, int y) {
        x_ = x;
        y_ = y;
    }
    void step_right() { ++x_; }

    // Bounding box of the offsets.
    int min_dx() const { return min_dx_; }
    int max_dx() const { return max_dx_; }
    int min_dy() const { return min_dy_; }
    int max_dy() const { return max_dy_; }

protected:
    Mask() = default;
    // Takes the offsets and computes the bounding box; `description` names
    // the mask and its parameters in the failure for an empty list.
    void set_offsets(std::vector<MaskOffset> offsets, const std::string& description);

private:
    std::vector<MaskOffset> offsets_;
    int x_ = 0;
    int y_ = 0;
    int min_dx_ = 0;
    int max_dx_ = 0;
    int min_dy_ = 0;
    int max_dy_ = 0;
};

}  // namespace ipc
