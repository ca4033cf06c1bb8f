#include "core/model/View.h"

#include "core/base/TextIO.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>

namespace orlenza {

View::View(double centerX, double centerY, double size, double angle, bool flipH, bool flipV)
    : m_centerX(centerX), m_centerY(centerY), m_size(size), m_angle(foldAngle(angle)), m_flipH(flipH), m_flipV(flipV) {}

double View::foldAngle(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  if (degrees >= -360.0 && degrees <= 360.0) return degrees;
  // Subtracting 360 from a double above 360 is exact (360 is a multiple of its ulp
  // below 2^56), so repeated subtraction ends on the exact remainder, or on 360
  // itself when the remainder is 0. fmod computes that remainder exactly.
  double const remainder = std::fmod(degrees, 360.0);
  if (remainder == 0.0) return degrees > 0 ? 360.0 : -360.0;
  return remainder;
}

Coord2D View::viewRelativeToAbsolute(Coord2D const& r) const {
  double const theta = m_angle / 180.0 * (-k_viewPi);
  double const c = std::cos(theta);
  double const s = std::sin(theta);
  double const sx = m_flipH ? -1.0 : 1.0;
  double const sy = m_flipV ? -1.0 : 1.0;
  return {sx * (c * r.x + s * r.y) * m_size + m_centerX, sy * (c * r.y - s * r.x) * m_size + m_centerY};
}

Coord2D View::absoluteToViewRelative(Coord2D const& a) const {
  double const theta = m_angle / 180.0 * (-k_viewPi);
  double const c = std::cos(theta);
  double const s = std::sin(theta);
  double const dx = a.x - m_centerX;
  double const dy = a.y - m_centerY;
  double const u = (c * dx - s * dy) / m_size;
  double const v = (s * dx + c * dy) / m_size;
  return {m_flipH ? -u : u, m_flipV ? -v : v};
}

View View::morphTowards(View const& other, double t) const {
  auto blend = [t](double a, double b) { return (1.0 - t) * a + t * b; };
  return View(blend(m_centerX, other.m_centerX), blend(m_centerY, other.m_centerY), blend(m_size, other.m_size),
              blend(m_angle, other.m_angle), m_flipH, m_flipV);
}

bool operator==(View const& a, View const& b) {
  // 1e-10 of the plane, but no more than 1e-10 of the picture: after some 30
  // zooms a fixed tolerance would be wider than the view and every further
  // zoom or move would count as no change.
  double const scale = std::max(std::fabs(a.m_size), std::fabs(b.m_size));
  double const tolerance = 1e-10 * (scale < 1 ? scale : 1);
  // The exact test first: a tolerance that underflows to 0 must still let a value equal itself.
  auto close = [tolerance](double x, double y) { return x == y || std::fabs(x - y) < tolerance; };
  return close(a.m_centerX, b.m_centerX) && close(a.m_centerY, b.m_centerY) && close(a.m_size, b.m_size) &&
         std::fabs(a.m_angle - b.m_angle) < 1e-5 &&
         a.m_flipH == b.m_flipH && a.m_flipV == b.m_flipV;
}

std::ostream& operator<<(std::ostream& os, View const& view) {
  text::writeDouble(os, view.getCenterX());
  text::writeDouble(os, view.getCenterY());
  text::writeDouble(os, view.getSize());
  text::writeDouble(os, view.getAngle());
  text::writeBool(os, view.getFlipH());
  text::writeBool(os, view.getFlipV());
  return os;
}

std::istream& operator>>(std::istream& is, View& view) {
  double centerX = view.getCenterX();
  double centerY = view.getCenterY();
  double size = view.getSize();
  double angle = view.getAngle();
  bool flipH = view.getFlipH();
  bool flipV = view.getFlipV();
  text::readDouble(is, centerX);
  text::readDouble(is, centerY);
  text::readDouble(is, size);
  text::readDouble(is, angle);
  text::readBool(is, flipH);
  text::readBool(is, flipV);
  if (is) view = View(centerX, centerY, size, angle, flipH, flipV);
  return is;
}

}  // namespace orlenza
