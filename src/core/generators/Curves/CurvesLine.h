#pragma once
// The pixel lines that join the points of a curve: a Bresenham line that adds
// 1 to every pixel it passes except its starting point, clipped to the picture.

#include "core/engine/RawField.h"

namespace orlenza {

// Adds 1 to field[x][y] for every pixel of the line from (x0, y0) to (x1, y1)
// but its starting point that lies in width x height, exactly the pixels the
// plain walk of the whole line would count there. The walk always runs from
// the end with the lower coordinate along the longer axis, so a line takes
// the same pixels in both directions. End points may lie anywhere
// in the int range: the walk starts at the picture's edge, so a line costs at
// most width + height steps, and no difference or product can overflow.
void drawLine(int width, int height, RawField& field, long long x0, long long y0, long long x1, long long y1);

}  // namespace orlenza
