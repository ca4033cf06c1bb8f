#include "core/control/ImageGestures.h"

#include <algorithm>
#include <cstdlib>

namespace orlenza {

RubberBandShape rubberBandShape(bool defaultZoomCentred, bool shiftDown) {
  return defaultZoomCentred == shiftDown ? RubberBandShape::Corner : RubberBandShape::Centred;
}

Rect rubberBandRect(Point const& click, Point const& mouse, RubberBandShape shape, int width, int height) {
  Rect band;
  if (shape == RubberBandShape::Corner) {
    band = {std::min(click.v, mouse.v), std::min(click.h, mouse.h), std::max(click.v, mouse.v),
            std::max(click.h, mouse.h)};
  } else {
    int const dh = std::abs(mouse.h - click.h);
    int const dv = std::abs(mouse.v - click.v);
    band = {click.v - dv, click.h - dh, click.v + dv, click.h + dh};
  }
  band.left = std::clamp(band.left, 0, width);
  band.right = std::clamp(band.right, 0, width);
  band.top = std::clamp(band.top, 0, height);
  band.bottom = std::clamp(band.bottom, 0, height);
  return band;
}

}  // namespace orlenza
