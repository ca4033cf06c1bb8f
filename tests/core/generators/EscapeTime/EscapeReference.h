#pragma once
// The escape-time map, its dwell and the sampler's pixel points, written out
// from their formulas apart from the code under test.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/model/View.h"

namespace orlenza::escape_test {

using Coefficients = std::array<double, 12>;

struct Point {
  double x, y;
};

// x' with the a coefficients, y' with the b ones, in the stated grouping.
inline Point mapOnce(Coefficients const& k, double x, double y) {
  return {(x * k[2] + k[1] + y * k[3]) * x + k[0] + (y * k[5] + k[4]) * y,
          (x * k[8] + k[7] + y * k[9]) * x + k[6] + (y * k[11] + k[10]) * y};
}

// Escape when x'^2 + y'^2 exceeds 1000^2; at most 1024 steps.
inline int referenceDwell(Coefficients const& k, double x, double y, std::vector<Point>* orbit = nullptr) {
  if (orbit) orbit->assign(1, Point{x, y});
  for (int n = 1; n <= 1024; ++n) {
    Point const next = mapOnce(k, x, y);
    if (next.x * next.x + next.y * next.y > 1000000.0) return n;
    if (orbit) orbit->push_back(next);
    x = next.x;
    y = next.y;
  }
  return 1024;
}

// The plane point of pixel (x, y): pixel (w/2, h/2) is the centre, rows grow
// downward, 2 * size spans the shorter side.
inline Point referencePoint(View const& v, int w, int h, int x, int y) {
  double const step = 2 * v.getSize() / std::min(w, h);
  double const a = v.getFlipH() ? w / 2 - x : x - w / 2;
  double const b = v.getFlipV() ? y - h / 2 : h / 2 - y;
  double const theta = v.getAngle() / 180 * 3.141592654;
  double const c = std::cos(theta), s = std::sin(theta);
  double const u = a * step, t = b * step;
  return {v.getCenterX() + u * c + t * s, v.getCenterY() + t * c - u * s};
}

}  // namespace orlenza::escape_test
