#pragma once
// The last stage of drawing: a normalized value becomes a position on the
// gradation axis and then a colour. Plain functions, no allocation, meant to be
// called for every pixel.

#include "core/model/Gradation.h"
#include "core/model/KeyframePosition.h"
#include "core/model/RGBColor.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orlenza {

// What a snapshot's core says about colouring, apart from the gradation.
struct ColouringRule {
  double floor = 0.0;
  double ceiling = 1.0;
  GradationAuxiliaryInfo auxiliary;
};

// Wraps s onto [0, 1]: above 1 it keeps the fractional part (1.5 -> 0.5,
// 2 -> 0), below 0 it adds the next whole number (-0.25 -> 0.75, -1 -> 1);
// [0, 1] itself is unchanged. NaN and infinities give 0.
inline double wrapOntoAxis(double s) noexcept {
  if (!std::isfinite(s)) return 0.0;
  if (s > 1) return s - (std::trunc(s - 1) + 1);
  if (s < 0) return s + (std::trunc(-s) + 1);
  return s;
}

// min(ceiling, max(floor, n)) (so a NaN n takes the floor), times scale plus
// offset, wrapped onto the axis, narrowed to float and truncated to a step.
// A non-finite result of scale and offset takes position 0.
inline KeyframePosition gradationPositionFor(double normalized, ColouringRule const& rule) noexcept {
  double const clamped = std::min(rule.ceiling, std::max(rule.floor, normalized));
  double const s = clamped * rule.auxiliary.scale + rule.auxiliary.offset;
  if (!std::isfinite(s)) return KeyframePosition::fromSteps(0);
  // Far beyond 2^52 the wrap itself rounds and may leave [0, 1]; the invalid
  // position that results is looked up at 0 like every other stray position.
  return KeyframePosition(wrapOntoAxis(s));
}

// The gradation's colour for a normalized value.
RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule, Gradation const& gradation) noexcept;

// Every colour of a gradation, one per step of the axis, for a drawing loop
// that looks up many pixels: colourAt(p) == gradation.getColor(p) for every p.
class GradationLookupTable {
 public:
  explicit GradationLookupTable(Gradation const& gradation);
  // A position is invalid (steps -1) or 0 ... 10000 steps; the invalid one
  // clamps to the start, as Gradation::clampPosition says.
  RGBColor colourAt(KeyframePosition p) const noexcept {
    std::int32_t const steps = p.getSteps();
    return m_colours[static_cast<std::size_t>(steps < 0 ? 0 : steps)];
  }
  RGBColor colourFor(double normalized, ColouringRule const& rule) const noexcept {
    return colourAt(gradationPositionFor(normalized, rule));
  }

 private:
  std::vector<RGBColor> m_colours;  // k_steps + 1 colours
};

RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule,
                                  GradationLookupTable const& table) noexcept;

}  // namespace orlenza
