#include "core/engine/PlaneSampler.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace orlenza {

namespace {

// trunc(value) as an int when it is one; -1 for NaN, the int bound beyond the range.
bool truncateToInt(double value, int* out) {
  if (std::isnan(value)) {
    *out = -1;
    return false;
  }
  // Every double strictly between these two truncates to a representable int.
  if (value <= static_cast<double>(INT_MIN) - 1.0) {
    *out = INT_MIN;
    return false;
  }
  if (value >= static_cast<double>(INT_MAX) + 1.0) {
    *out = INT_MAX;
    return false;
  }
  *out = static_cast<int>(value);
  return true;
}

}  // namespace

PlaneSampler::PlaneSampler(View const& view, int width, int height)
    : m_centerX(view.getCenterX()),
      m_centerY(view.getCenterY()),
      m_size(view.getSize()),
      m_angle(view.getAngle()),
      m_flipH(view.getFlipH()),
      m_flipV(view.getFlipV()),
      m_cos(std::cos(m_angle / 180 * k_viewPi)),
      m_sin(std::sin(m_angle / 180 * k_viewPi)),
      m_width(std::max(width, 1)),
      m_height(std::max(height, 1)),
      m_step(2 * m_size / std::min(m_width, m_height)) {}

Coord2D PlaneSampler::getXY(int x, int y) const {
  int const a = m_flipH ? m_width / 2 - x : x - m_width / 2;
  // Rows grow downward, plane y upward.
  int const b = m_flipV ? y - m_height / 2 : m_height / 2 - y;
  double const u = a * m_step;
  double const v = b * m_step;
  return {m_centerX + u * m_cos + v * m_sin, m_centerY + v * m_cos - u * m_sin};
}

bool PlaneSampler::getHV(double px, double py, int* x, int* y) const {
  double const dx = px - m_centerX;
  double const dy = py - m_centerY;
  double p = (dx * m_cos - dy * m_sin) / m_step;
  double q = (dx * m_sin + dy * m_cos) / m_step;
  if (m_flipH) p = -p;
  if (!m_flipV) q = -q;
  bool const xIsInt = truncateToInt(p + m_width / 2 + 0.5, x);
  bool const yIsInt = truncateToInt(q + m_height / 2 + 0.5, y);
  return xIsInt && yIsInt && *x >= 0 && *x < m_width && *y >= 0 && *y < m_height;
}

}  // namespace orlenza
