#pragma once
// The parameter block shared by the three phase-plane generators: the grid of
// starting points, how many steps each path takes, the step size h and the
// coefficients of the member's core function.

#include <cstddef>
#include <iosfwd>
#include <vector>

namespace orlenza {

class PhasePlaneParameters {
 public:
  // Counts read from files, typed or morphed are clamped into these ranges:
  // below one division the grid positions would be 0 / 0, and the caps keep
  // every count of hits exact and every loop index an int.
  static constexpr int kMinGridDivisions = 1;
  static constexpr int kMaxGridDivisions = 10000;
  static constexpr int kMaxSteps = 100000000;
  static constexpr int kDefaultGridDivisions = 50;
  static constexpr int kDefaultSteps = 50;
  static constexpr double kDefaultStepSize = 0.1;

  // 50 divisions, 50 steps, step 0.1, count coefficients all 1.0.
  explicit PhasePlaneParameters(std::size_t count = 0);

  static int clampGridDivisions(long long divisions);
  static int clampSteps(long long steps);

  // gridDivisions, numSteps, stepSize, then every coefficient; each followed
  // by one blank.
  void outputParameters(std::ostream& os) const;
  // Reads two integers (clamped), one double and as many coefficients as the
  // block holds. All or nothing: on a bad or missing token the stream fails
  // and nothing changes.
  void inputParameters(std::istream& is);

  // This block becomes the morph of a towards b by t: counts truncated toward
  // zero and clamped (a count that is no number keeps a's), step size and
  // coefficients linear. Only the coefficients both blocks hold are morphed;
  // the rest keep a's values.
  void morph(PhasePlaneParameters const& a, PhasePlaneParameters const& b, double t);

  int gridDivisions = kDefaultGridDivisions;
  int numSteps = kDefaultSteps;
  double stepSize = kDefaultStepSize;
  std::vector<double> parameters;
};

// Same counts, step size and coefficients within paramsAreEqual, same
// coefficient count.
bool operator==(PhasePlaneParameters const& a, PhasePlaneParameters const& b);

}  // namespace orlenza
