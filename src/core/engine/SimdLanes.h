#pragma once
// The vector units as the lane kernels see them: a vector of kWidth doubles
// with add, multiply, compare and a mask of the lanes that compared greater.
// Each operation is the plain IEEE one (no FMA), so a kernel written once
// over these gives the same bits on every unit.

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace orlenza::lanes {

struct Scalar {
  using D = double;
  static constexpr int kWidth = 1;
  static D set1(double v) { return v; }
  static D load(double const* p) { return *p; }
  static void store(double* p, D v) { *p = v; }
  static D add(D a, D b) { return a + b; }
  static D sub(D a, D b) { return a - b; }
  static D mul(D a, D b) { return a * b; }
  static D div(D a, D b) { return a / b; }
  // Bit i is set when lane i of a > b (false for NaN, as the scalar test).
  static unsigned greater(D a, D b) { return a > b ? 1u : 0u; }
  // v, or +0 where d == 0 (a NaN d keeps v).
  static D zeroWhereZero(D d, D v) { return d == 0 ? 0.0 : v; }
};

#if defined(__x86_64__)
struct Sse2 {
  using D = __m128d;
  static constexpr int kWidth = 2;
  static D set1(double v) { return _mm_set1_pd(v); }
  static D load(double const* p) { return _mm_loadu_pd(p); }
  static void store(double* p, D v) { _mm_storeu_pd(p, v); }
  static D add(D a, D b) { return _mm_add_pd(a, b); }
  static D sub(D a, D b) { return _mm_sub_pd(a, b); }
  static D mul(D a, D b) { return _mm_mul_pd(a, b); }
  static D div(D a, D b) { return _mm_div_pd(a, b); }
  static unsigned greater(D a, D b) { return static_cast<unsigned>(_mm_movemask_pd(_mm_cmpgt_pd(a, b))); }
  static D zeroWhereZero(D d, D v) { return _mm_andnot_pd(_mm_cmpeq_pd(d, _mm_setzero_pd()), v); }
};

// Only called from functions compiled for AVX2 (see the kernels' sources).
#define ORLENZA_AVX2 __attribute__((target("avx2")))
struct Avx2 {
  using D = __m256d;
  static constexpr int kWidth = 4;
  ORLENZA_AVX2 static D set1(double v) { return _mm256_set1_pd(v); }
  ORLENZA_AVX2 static D load(double const* p) { return _mm256_loadu_pd(p); }
  ORLENZA_AVX2 static void store(double* p, D v) { _mm256_storeu_pd(p, v); }
  ORLENZA_AVX2 static D add(D a, D b) { return _mm256_add_pd(a, b); }
  ORLENZA_AVX2 static D sub(D a, D b) { return _mm256_sub_pd(a, b); }
  ORLENZA_AVX2 static D mul(D a, D b) { return _mm256_mul_pd(a, b); }
  ORLENZA_AVX2 static D div(D a, D b) { return _mm256_div_pd(a, b); }
  ORLENZA_AVX2 static unsigned greater(D a, D b) {
    return static_cast<unsigned>(_mm256_movemask_pd(_mm256_cmp_pd(a, b, _CMP_GT_OQ)));
  }
  ORLENZA_AVX2 static D zeroWhereZero(D d, D v) {
    return _mm256_andnot_pd(_mm256_cmp_pd(d, _mm256_setzero_pd(), _CMP_EQ_OQ), v);
  }
};
#undef ORLENZA_AVX2
#endif

}  // namespace orlenza::lanes
