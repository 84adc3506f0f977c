#include "VectorUnit.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

namespace geometry {

namespace {

__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }

}  // namespace

void ClearUpperVectorState() {
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) ZeroUpper();
}

}  // namespace geometry

#else

namespace geometry {

void ClearUpperVectorState() {}

}  // namespace geometry

#endif
