#pragma once

namespace util {

// Every frame makes and frees images of megabytes. By default the C library
// takes blocks that large straight from the kernel and hands them back when
// freed, so each frame pays again for mapping and zeroing fresh pages (a
// third of the time of a whole run). Called once at the start of a program,
// this keeps such blocks (up to 32 MB) in the heap for the next frame; the
// peak memory stays the same. Builds linked against jemalloc (the default
// where it is installed) need none of this: that allocator keeps freed
// blocks for reuse by itself, and the call leaves it alone.
void reuse_freed_images();

}  // namespace util
