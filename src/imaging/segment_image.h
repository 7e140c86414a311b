#pragma once
#include "imaging/image.h"
#include "imaging/image_3d.h"

namespace ipc {

// A 2-D label image: every pixel carries a segment label in
// 0 .. number_of_segments - 1 once an algorithm has finished with it.
class SegmentImage : public Image<int> {
public:
    using Image<int>::Image;
    SegmentImage() = default;
    explicit SegmentImage(const Image<int>& labels) : Image<int>(labels) {}
    int number_of_segments = 0;
};

// The 3-D label image, one label per voxel.
class SegmentImage3d : public Image3d<int> {
public:
    using Image3d<int>::Image3d;
    int number_of_segments = 0;
};

}  // namespace ipc
