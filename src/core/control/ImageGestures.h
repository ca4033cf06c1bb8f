#pragma once
// The shape of the rubber band dragged in the picture: from the click to the
// mouse (corner to corner), or around the click (centred). The preference
// "pref_DefaultZoom" gives the shape without Shift; Shift gives the other one.

#include "core/control/DrawingController.h"

namespace orlenza {

enum class RubberBandShape { Corner, Centred };

RubberBandShape rubberBandShape(bool defaultZoomCentred, bool shiftDown);

// The band from click to mouse in that shape, clamped to the picture of width
// x height pixels (both points relative to its top-left corner).
Rect rubberBandRect(Point const& click, Point const& mouse, RubberBandShape shape, int width, int height);

// Only a band with a positive width and height zooms.
inline bool rubberBandZooms(Rect const& band) { return band.right > band.left && band.bottom > band.top; }

}  // namespace orlenza
