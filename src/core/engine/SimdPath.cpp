#include "core/engine/SimdPath.h"

#include <atomic>

namespace orlenza {

namespace {

std::atomic<int> s_forced{-1};  // -1: nothing forced

SimdPath detectSimdPath() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return SimdPath::Avx2;
  return SimdPath::Sse2;
#else
  return SimdPath::Scalar;
#endif
}

}  // namespace

SimdPath bestSimdPath() {
  static SimdPath const best = detectSimdPath();
  return best;
}

SimdPath simdPath() {
  int const forced = s_forced.load(std::memory_order_relaxed);
  SimdPath const best = bestSimdPath();
  if (forced < 0 || forced > static_cast<int>(best)) return best;
  return static_cast<SimdPath>(forced);
}

void forceSimdPath(SimdPath path) { s_forced.store(static_cast<int>(path), std::memory_order_relaxed); }

void resetSimdPath() { s_forced.store(-1, std::memory_order_relaxed); }

std::string_view simdPathName(SimdPath path) {
  switch (path) {
    case SimdPath::Scalar: return "scalar";
    case SimdPath::Sse2: return "sse2";
    case SimdPath::Avx2: return "avx2";
  }
  return "scalar";
}

}  // namespace orlenza
