#pragma once
#include <algorithm>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "util/counted_ptr.h"

namespace ipc {

// A new image of type Out with the size of `in` (2-D or 3-D).
template <class Out, class T>
util::CountedPtr<Out> image_like(const Image<T>& in) {
    return std::make_shared<Out>(in.width(), in.height());
}
template <class Out, class T>
util::CountedPtr<Out> image_like(const Image3d<T>& in) {
    return std::make_shared<Out>(in.width(), in.height(), in.depth());
}

// out = f(in) pixel by pixel; `out` has the size of `in`.
template <class T, class U, class F>
void transform_pixels(const Image<T>& in, Image<U>& out, F&& f) {
    std::transform(in.begin(), in.end(), out.begin(), f);
}
template <class T, class U, class F>
void transform_pixels(const Image3d<T>& in, Image3d<U>& out, F&& f) {
    for (int z = 0; z < in.depth(); ++z) transform_pixels(in.slice(z), out.slice(z), f);
}

}  // namespace ipc
