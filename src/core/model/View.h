#pragma once
// The part of the plane a picture shows: centre, half the shorter side, rotation
// in degrees and the two mirror flags. The angle is always kept in [-360, 360].

#include "core/model/Coord2D.h"

#include <iosfwd>

namespace orlenza {

// The value of pi every degree-to-radian conversion of views and samplers uses.
// It is deliberately not M_PI: stored pictures were computed with it.
inline constexpr double k_viewPi = 3.141592654;

class View {
 public:
  View() = default;
  // The angle is folded into [-360, 360]; a non-finite angle becomes 0.
  View(double centerX, double centerY, double size, double angle, bool flipH, bool flipV);

  double getCenterX() const { return m_centerX; }
  double getCenterY() const { return m_centerY; }
  double getSize() const { return m_size; }
  double getAngle() const { return m_angle; }
  bool getFlipH() const { return m_flipH; }
  bool getFlipV() const { return m_flipV; }

  void setCenterX(double value) { m_centerX = value; }
  void setCenterY(double value) { m_centerY = value; }
  void setSize(double value) { m_size = value; }
  void setAngle(double degrees) { m_angle = foldAngle(degrees); }
  void setFlipH(bool value) { m_flipH = value; }
  void setFlipV(bool value) { m_flipV = value; }
  void toggleFlipH() { m_flipH = !m_flipH; }
  void toggleFlipV() { m_flipV = !m_flipV; }

  // A point given in view units (rotated, mirrored, scaled by size) to the plane.
  Coord2D viewRelativeToAbsolute(Coord2D const& relative) const;
  // The reverse; an exact inverse of the above only when neither flag is set.
  Coord2D absoluteToViewRelative(Coord2D const& absolute) const;

  // Centre, size and angle interpolated linearly (t not clamped); flags stay this view's.
  View morphTowards(View const& other, double t) const;

  // Brings degrees into [-360, 360] the way repeated subtraction of 360 would
  // (720 -> 360, 725 -> 5, -725 -> -5), in constant time; non-finite -> 0.
  static double foldAngle(double degrees);

  // Centre and size within 1e-10 (times the size when that is below 1),
  // angle within 1e-5, same flags.
  friend bool operator==(View const& a, View const& b);

 private:
  double m_centerX = 0.0;
  double m_centerY = 0.0;
  double m_size = 1.0;
  double m_angle = 0.0;
  bool m_flipH = false;
  bool m_flipV = false;
};

// Six tokens: centerX centerY size angle flipH flipV, each followed by a blank.
std::ostream& operator<<(std::ostream& os, View const& view);
// Reads the six tokens; the view changes only when all of them were good
// (otherwise failbit is set). The angle is folded as by the constructor.
std::istream& operator>>(std::istream& is, View& view);

}  // namespace orlenza
