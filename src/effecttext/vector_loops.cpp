#include "effecttext/vector_loops.h"

#include <cstdlib>
#include <string_view>

namespace caici {

bool pixelLoopsUseAvx2() {
    static const bool useAvx2 = [] {
        const char* baseline = std::getenv("CAICI_BASELINE_PIXELS");
        if (baseline != nullptr && std::string_view(baseline) == "1") return false;
#if CAICI_HAS_AVX2_LOOPS
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
#else
        return false;
#endif
    }();
    return useAvx2;
}

}  // namespace caici
