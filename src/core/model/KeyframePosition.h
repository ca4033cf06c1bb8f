#pragma once
// A place on the 0..1 axis of gradations and of the animation timeline, kept
// as a whole number of steps of 1/10000 so that positions are exact map keys.

#include <cmath>
#include <compare>
#include <cstdint>

namespace orlenza {

class KeyframePosition {
 public:
  static constexpr std::int32_t k_invalid = -1;
  static constexpr std::int32_t k_steps = 10000;  // steps from 0 to 1

  // The invalid position.
  constexpr KeyframePosition() noexcept = default;

  // truncf(v * 10000) computed in single precision, v taken as the nearest
  // float; outside 0..1, and for NaN, the position is invalid. A double is
  // checked before it is narrowed, so no value can overflow the float.
  // Inline: the drawing makes one for every pixel.
  explicit KeyframePosition(double v) noexcept {
    // Every double outside [-1, 2] is outside 0..1 as a float too; checking first
    // keeps the narrowing below defined, and NaN fails the test.
    if (!(v >= -1.0 && v <= 2.0)) return;
    float const f = static_cast<float>(v);
    if (f < 0.0f || f > 1.0f) return;
    m_steps = static_cast<std::int32_t>(std::truncf(f * 10000.0f));
  }

  // steps in 0 ... 10000; anything else gives the invalid position.
  static constexpr KeyframePosition fromSteps(std::int32_t steps) noexcept {
    KeyframePosition p;
    if (steps >= 0 && steps <= k_steps) p.m_steps = steps;
    return p;
  }

  constexpr bool isValid() const noexcept { return m_steps != k_invalid; }
  // steps / 10000 in single precision; -0.0001 for the invalid position.
  float getValue() const noexcept { return static_cast<float>(m_steps) / 10000.0f; }
  constexpr std::int32_t getSteps() const noexcept { return m_steps; }

  friend constexpr bool operator==(KeyframePosition, KeyframePosition) noexcept = default;
  friend constexpr std::strong_ordering operator<=>(KeyframePosition, KeyframePosition) noexcept = default;

 private:
  std::int32_t m_steps = k_invalid;
};

}  // namespace orlenza
