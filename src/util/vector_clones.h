#pragma once

// Marks a function with long vectorisable loops to be compiled twice, for
// processors with AVX2 and for the x86-64 baseline; the loader picks one
// when the program starts. The float arithmetic is the same instructions at
// twice the width (no fused multiply-add: AVX2 alone does not enable it),
// so the results do not depend on the processor.
//
// GCC on x86-64 ELF only: clang refuses the attribute on templates, and
// other platforms keep the one baseline build.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__ELF__)
#define OSTREL_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define OSTREL_VECTOR_CLONES
#endif
