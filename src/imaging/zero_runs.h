#pragma once
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ipc {

// Whether the N labels from p on are all 0. Written with vector loads:
// left to itself the compiler unrolls the short loop into scalar ORs.
template <int N>
inline bool all_zero(const int* p) {
#if defined(__SSE2__)
    static_assert(N % 4 == 0, "whole vectors of four labels");
    __m128i any = _mm_setzero_si128();
    for (int k = 0; k < N; k += 4)
        any = _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(any, _mm_setzero_si128())) == 0xffff;
#else
    int any = 0;
    for (int k = 0; k < N; ++k) any |= p[k];
    return any == 0;
#endif
}

// Passes over the zeros of labels from index i on: the first index from i
// on whose block of 16 holds a non-zero label, or the first from which
// fewer than 16 labels remain before end. Background fills most of a label
// image in long runs, passed 64 at a time once a block of 16 is clear;
// inside an object one block of 16 is looked at.
inline std::int64_t skip_zero_blocks(const int* labels, std::int64_t i, std::int64_t end) {
    while (i + 16 <= end && all_zero<16>(labels + i)) {
        i += 16;
        while (i + 64 <= end && all_zero<64>(labels + i)) i += 64;
    }
    return i;
}

}  // namespace ipc
