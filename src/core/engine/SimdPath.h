#pragma once
// Which vector unit the per-pixel kernels run on. Every path gives the same
// numbers bit for bit; a path can be forced (benchmarks, tests) but never
// beyond what the processor has.

#include <string_view>

namespace orlenza {

enum class SimdPath {
  Scalar,  // plain doubles, several pixels interleaved
  Sse2,    // 2 doubles a vector, every x86-64
  Avx2,    // 4 doubles a vector
};

// The widest path this processor runs.
SimdPath bestSimdPath();

// The path the kernels take: the forced one held to bestSimdPath(), or the
// best when nothing is forced.
SimdPath simdPath();
// Process-wide; resetSimdPath() goes back to the best.
void forceSimdPath(SimdPath path);
void resetSimdPath();

std::string_view simdPathName(SimdPath path);

}  // namespace orlenza
