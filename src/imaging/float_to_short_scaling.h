#pragma once
#include <cstddef>

namespace ipc {

// How 32-bit float pixels become 16-bit ones. When every finite value is a
// whole number within 0..65535 the values are kept as they are (label masks
// and integer data saved as float lose nothing). Otherwise the finite range
// min..max is stretched linearly onto 0..65535 (p' = round((p - min) *
// 65535 / (max - min))); a constant image becomes 0. In both cases NaN and
// minus infinity become 0 and plus infinity 65535. One scaling is made from
// all the values of a file (every page of a stack), so its pages stay
// comparable.
class FloatToShortScaling {
public:
    // Takes the values of one page; call for every page before converting.
    void observe(const float* values, std::size_t count);
    void convert(const float* values, std::size_t count, unsigned short* out) const;

    bool keeps_values() const { return integral_; }

private:
    bool seen_ = false;
    bool integral_ = true;
    double min_ = 0;
    double max_ = 0;
};

}  // namespace ipc
