#pragma once
// The parameter block shared by the seven planar dynamical systems: how long
// the orbit runs, the map's coefficients and how hits are plotted.

#include <cstddef>
#include <iosfwd>
#include <vector>

namespace orlenza {

class DynSysParameters {
 public:
  // The panes cap what they write at this count. Counts read from files or
  // morphed are kept as they are: a huge one computes, slowly but cancellably.
  static constexpr int kMaxIterations = 100000000;
  static constexpr int kDefaultIterations = 1000000;

  // Plot modes; any value other than kHitCount plots the visit time.
  static constexpr int kHitCount = 0;
  static constexpr int kVisitTime = 1;

  // 1,000,000 iterations, count parameters all 1.0, hit count.
  explicit DynSysParameters(std::size_t count = 0);

  static int clampIterations(long long count);
  // The count clamped into [0, kMaxIterations], as a pane writes it.
  void setNumIterations(long long count) { numIterations = clampIterations(count); }

  // The count, every parameter in the vector, the plot mode; each followed by
  // one blank.
  void outputParameters(std::ostream& os) const;
  // Reads the count (any int), as many parameters as the vector holds, and the
  // plot mode. All or nothing: on a bad or missing token the stream fails and
  // nothing changes.
  void inputParameters(std::istream& is);

  // This block becomes the morph of a towards b by t: the count and every
  // parameter linear (the count truncated toward zero; a count
  // that is no number keeps a's), and hit count whatever both hold. Only the
  // indices both vectors hold are morphed; the rest keep a's values.
  void morph(DynSysParameters const& a, DynSysParameters const& b, double t);

  int numIterations = kDefaultIterations;
  std::vector<double> parameters;
  int plotMode = kHitCount;
};

// Same count, same plot mode, vectors of the same length and every parameter
// pair within paramsAreEqual.
bool operator==(DynSysParameters const& a, DynSysParameters const& b);

}  // namespace orlenza
