#pragma once
// Marks a function whose pixel loops the compiler vectorises: it is built
// for the x86-64 baseline (16-byte vectors) and again for AVX2 (32-byte
// vectors), and the loader picks the build the processor runs. At 4K a
// frame's rows are millions of bytes, and twice the bytes per instruction
// halves what the blend and the cross-fade cost where AVX2 is there.
//
// Sanitizer builds and other compilers get the baseline build alone: the
// choice is made by a resolver that runs before the sanitizer is set up.

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define CAICI_VECTOR_LOOPS __attribute__((target_clones("avx2", "default")))
#else
#define CAICI_VECTOR_LOOPS
#endif
