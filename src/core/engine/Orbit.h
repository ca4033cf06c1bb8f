#pragma once
// The points that one starting point visits under a generator's map, recorded
// for an orbit analyzer to reduce to the pixel's raw value.

#include <cstddef>
#include <vector>

namespace orlenza {

struct ComplexDouble {
  double re = 0;
  double im = 0;
};

inline bool operator==(ComplexDouble const& a, ComplexDouble const& b) { return a.re == b.re && a.im == b.im; }

class Orbit {
 public:
  // Room reserved up front is capped here: iteration counts come from
  // snapshots, and an absurd count must not allocate before a point exists.
  static constexpr std::size_t kMaxReserve = 4096;

  std::vector<ComplexDouble> points;

  void add(double x, double y) { points.push_back(ComplexDouble{x, y}); }
  void add(ComplexDouble const& point) { points.push_back(point); }

  // Keeps the capacity, so a reused orbit stops allocating once it is warm.
  void clear() { points.clear(); }
  // Reserves room for min(count, kMaxReserve) points; more grow on demand.
  void reserve(std::size_t count);

  std::size_t size() const { return points.size(); }
  bool empty() const { return points.empty(); }
};

}  // namespace orlenza
