#pragma once
// The parameter block of the Halley generator: a real polynomial of degree at
// most 12, the relaxation factor of Halley's step, the stopping test and the
// orbit analyzer that reads every starting point's orbit.

#include <array>
#include <iosfwd>
#include <string>

namespace orlenza {

class HalleyParameters {
 public:
  static constexpr std::size_t kNumCoefficients = 13;
  static constexpr double kMinLambda = 0.001;
  static constexpr double kMaxLambda = 2.0;

  // ck multiplies z^k; the default is z^7 - z.
  std::array<double, kNumCoefficients> coefficients{0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
  // 1 and 2 pick their own tests; every other value stops on the step length.
  int convergenceTest = 0;
  std::string analyzerID = "OA_Dwell";

  double getLambda() const { return m_lambda; }
  // Stores |v| clamped into [0.001, 2]; a NaN becomes 1, the plain Newton-like step.
  void setLambda(double v);
  static double clampLambda(double v);

  // c0 ... c12, lambda, the convergence test, the analyzer, each followed by one blank.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing
  // changes. Lambda is clamped; a convergence test beyond the int range is
  // pinned to its end (which computes as test 0, like any other odd value).
  void inputParameters(std::istream& is);

  // This block becomes the morph of a towards b by t: coefficients and lambda
  // linear (lambda clamped), the convergence test and the analyzer a's.
  void morph(HalleyParameters const& a, HalleyParameters const& b, double t);

 private:
  double m_lambda = 1.0;
};

// Coefficients within paramsAreEqual, lambda exactly equal, the same test and analyzer.
bool operator==(HalleyParameters const& a, HalleyParameters const& b);

}  // namespace orlenza
