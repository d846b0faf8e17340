#pragma once
// Functions whose pixel loops the compiler vectorises are built twice: for
// the x86-64 baseline (16-byte vectors) and for AVX2 (32-byte vectors). At 4K
// a frame's rows are millions of bytes, and twice the bytes per instruction
// halves what the blend and the cross-fade cost where AVX2 is there.
//
// Each such function writes its loop once as an always-inlined body, wraps it
// in a CAICI_AVX2_LOOPS build and a plain one, and calls the build that
// pixelLoopsUseAvx2() names. Other compilers and processors get the baseline
// build alone.

#if defined(__GNUC__) && defined(__x86_64__)
#define CAICI_HAS_AVX2_LOOPS 1
#define CAICI_AVX2_LOOPS __attribute__((target("avx2")))
#else
#define CAICI_HAS_AVX2_LOOPS 0
#define CAICI_AVX2_LOOPS
#endif
#define CAICI_LOOP_BODY [[gnu::always_inline]] inline

namespace caici {

// True when the AVX2 builds run: the processor has AVX2 and the environment
// variable CAICI_BASELINE_PIXELS is not 1 (which forces the baseline builds,
// so that tests check them on any machine). Decided once, the first time a
// pixel loop asks.
bool pixelLoopsUseAvx2();

}  // namespace caici
