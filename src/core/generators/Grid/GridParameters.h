#pragma once
// The parameter block of the grid generator: the profile of the horizontal
// and of the vertical lines, how the two combine, and a checkerboard overlay.

#include <iosfwd>

#include "core/model/Coord2D.h"

namespace orlenza {

// The line profile along one axis.
struct DimensionParams {
  double spacing = 1.0;    // lattice period
  double lineWidth = 0.1;  // half width of the full-value core
  double falloff = 0.25;   // distance from the line centre at which the value reaches 0
  double exponent = 2.0;   // shape of the falloff

  // The value at w, a position folded into [0, spacing]: 1 in a core at either
  // end of the cell, otherwise the larger of the two falloffs.
  double profile(double w) const;
};

class GridParameters {
 public:
  enum Mode : int { kHorizontal = 1, kVertical = 2, kLarger = 3, kMean = 4, kDots = 5 };

  DimensionParams yDim;  // lines of constant y
  DimensionParams xDim;  // lines of constant x
  int mode = kLarger;    // any value outside 1 ... 5 draws 0
  bool checker = false;

  // What the pane makes of typed values: positive spacings (at least 1e-5),
  // non-negative widths, falloffs in [0, 1]. Snapshot text is read as it stands.
  void forceValid();

  // The value of a mapped plane point q; NaN when q is not finite.
  double valueAt(Coord2D q) const;

  // The four y values, a blank, the four x values, a blank, the mode; every
  // token followed by one blank. The checkerboard is not part of the text.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing
  // changes. The checkerboard keeps its value; a mode beyond the int range is
  // pinned to its end (which draws 0 like any other odd mode).
  void inputParameters(std::istream& is);

  // The doubles linear; mode and checkerboard b's when t is 1 (within 1e-10), else a's.
  void morph(GridParameters const& a, GridParameters const& b, double t);
};

// The doubles within 1e-5, the same mode and checkerboard.
bool operator==(GridParameters const& a, GridParameters const& b);

}  // namespace orlenza
