#include "core/model/KeyframePosition.h"

#include <cmath>

namespace orlenza {

KeyframePosition::KeyframePosition(double v) noexcept {
  // Every double outside [-1, 2] is outside 0..1 as a float too; checking first
  // keeps the narrowing below defined, and NaN fails the test.
  if (!(v >= -1.0 && v <= 2.0)) return;
  float const f = static_cast<float>(v);
  if (f < 0.0f || f > 1.0f) return;
  m_steps = static_cast<std::int32_t>(std::truncf(f * 10000.0f));
}

}  // namespace orlenza
