#pragma once
#include <memory>

#include "util/counted_ptr.h"

namespace ipc {

// The output image of an algorithm for the next frame: the one handed out
// last time when nothing else holds it any more (the frames that carried it
// are gone), otherwise a new one. An image of a megapixel is several
// megabytes, and allocating it afresh for every frame costs more than the
// algorithms themselves once the system maps and zeroes the pages. The
// content of a reused image is the old one: callers overwrite it.
template <class I>
class ReusableImage {
public:
    util::CountedPtr<I> next() {
        if (!last_ || last_.use_count() != 1) last_ = std::make_shared<I>();
        return last_;
    }

private:
    util::CountedPtr<I> last_;
};

}  // namespace ipc
