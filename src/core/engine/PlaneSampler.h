#pragma once
// Maps the pixels of one computation to plane points and back. Sample points are
// the pixel indices themselves; pixel (width/2, height/2) is the view's centre.

#include "core/model/Coord2D.h"
#include "core/model/View.h"

namespace orlenza {

class PlaneSampler {
 public:
  // width and height below 1 count as 1.
  PlaneSampler(View const& view, int width, int height);

  Coord2D getXY(int x, int y) const;

  // The pixel of plane point (px, py), stored through x and y; true when it lies
  // inside the picture. A point whose pixel index is no int (NaN, infinite or
  // huge coordinates) answers false and stores -1 for NaN, else the int bound
  // on that side.
  bool getHV(double px, double py, int* x, int* y) const;

  int getWidth() const { return m_width; }
  int getHeight() const { return m_height; }
  // Plane distance between neighbouring pixels.
  double getStep() const { return m_step; }

 private:
  double m_centerX;
  double m_centerY;
  double m_size;
  double m_angle;
  bool m_flipH;
  bool m_flipV;
  double m_cos;
  double m_sin;
  int m_width;
  int m_height;
  double m_step;
};

}  // namespace orlenza
