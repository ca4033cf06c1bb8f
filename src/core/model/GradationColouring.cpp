#include "core/model/GradationColouring.h"

#include <algorithm>
#include <cmath>

namespace orlenza {

RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule, Gradation const& gradation) noexcept {
  return gradation.getColor(gradationPositionFor(normalized, rule));
}

GradationLookupTable::GradationLookupTable(Gradation const& gradation) {
  m_colours.reserve(KeyframePosition::k_steps + 1);
  for (std::int32_t steps = 0; steps <= KeyframePosition::k_steps; ++steps)
    m_colours.push_back(gradation.getColor(KeyframePosition::fromSteps(steps)));
}

RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule,
                                  GradationLookupTable const& table) noexcept {
  return table.colourAt(gradationPositionFor(normalized, rule));
}

}  // namespace orlenza
