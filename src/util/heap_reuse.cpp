#include "util/heap_reuse.h"

#include <malloc.h>

namespace util {

void reuse_freed_images() {
    // 32 MB is the largest mmap threshold the C library accepts on 64-bit
    // systems; larger blocks (big stacks) are still mapped one by one.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    // Keep up to 256 MB of free heap top instead of trimming it after every
    // frame.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
}

}  // namespace util
