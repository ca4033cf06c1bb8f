#pragma once
// The last stage of drawing: a normalized value becomes a position on the
// gradation axis and then a colour. Plain functions, no allocation, meant to be
// called for every pixel.

#include "core/model/Gradation.h"
#include "core/model/KeyframePosition.h"
#include "core/model/RGBColor.h"

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
double wrapOntoAxis(double s) noexcept;

// min(ceiling, max(floor, n)) (so a NaN n takes the floor), times scale plus
// offset, wrapped onto the axis, narrowed to float and truncated to a step.
// A non-finite result of scale and offset takes position 0.
KeyframePosition gradationPositionFor(double normalized, ColouringRule const& rule) noexcept;

// The gradation's colour for a normalized value.
RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule, Gradation const& gradation) noexcept;

// Every colour of a gradation, one per step of the axis, for a drawing loop
// that looks up many pixels: colourAt(p) == gradation.getColor(p) for every p.
class GradationLookupTable {
 public:
  explicit GradationLookupTable(Gradation const& gradation);
  RGBColor colourAt(KeyframePosition p) const noexcept;

 private:
  std::vector<RGBColor> m_colours;  // k_steps + 1 colours
};

RGBColor colourForNormalizedValue(double normalized, ColouringRule const& rule,
                                  GradationLookupTable const& table) noexcept;

}  // namespace orlenza
