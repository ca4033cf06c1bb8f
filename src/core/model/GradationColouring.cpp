#include "core/model/GradationColouring.h"

#include <algorithm>
#include <cmath>

namespace orlenza {

double wrapOntoAxis(double s) noexcept {
  if (!std::isfinite(s)) return 0.0;
  if (s > 1) return s - (std::trunc(s - 1) + 1);
  if (s < 0) return s + (std::trunc(-s) + 1);
  return s;
}

KeyframePosition gradationPositionFor(double normalized, ColouringRule const& rule) noexcept {
  double const clamped = std::min(rule.ceiling, std::max(rule.floor, normalized));
  double const s = clamped * rule.auxiliary.scale + rule.auxiliary.offset;
  if (!std::isfinite(s)) return KeyframePosition::fromSteps(0);
  // Far beyond 2^52 the wrap itself rounds and may leave [0, 1]; the invalid
  // position that results is looked up at 0 like every other stray position.
  return KeyframePosition(wrapOntoAxis(s));
}

RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule, Gradation const& gradation) noexcept {
  return gradation.getColor(gradationPositionFor(normalized, rule));
}

GradationLookupTable::GradationLookupTable(Gradation const& gradation) {
  m_colours.reserve(KeyframePosition::k_steps + 1);
  for (std::int32_t steps = 0; steps <= KeyframePosition::k_steps; ++steps)
    m_colours.push_back(gradation.getColor(KeyframePosition::fromSteps(steps)));
}

RGBColor GradationLookupTable::colourAt(KeyframePosition p) const noexcept {
  return m_colours[static_cast<std::size_t>(Gradation::clampPosition(p).getSteps())];
}

RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule,
                                  GradationLookupTable const& table) noexcept {
  return table.colourAt(gradationPositionFor(normalized, rule));
}

}  // namespace orlenza
