#pragma once
// The parameter block of the biomorph generator: the polynomial P of the step
// z -> c + z P(z), the weights of its sine, exponential and z^z terms, the
// blend between parameter and dynamical plane, the fixed value K, the orbit
// analyzer, the biomorph test and the orbit length.

#include <array>
#include <iosfwd>
#include <string>

#include "core/model/SnapshotParameters.h"

namespace orlenza {

class BiomorphParameters final : public SnapshotParameters {
 public:
  enum Index : unsigned {
    kC0,
    kC5 = kC0 + 5,
    kSinWeight,
    kExpWeight,
    kPowWeight,
    kTheta,
    kPhi,
    kFixedRe,
    kFixedIm,
    kNumIter,
    kCount
  };
  static constexpr std::size_t kNumCoefficients = 6;
  // Steps are counted in 16 bits by the computation.
  static constexpr int kMinIterations = 1;
  static constexpr int kMaxIterations = 32767;
  static constexpr int kDefaultIterations = 32;

  BiomorphParameters() = default;
  BiomorphParameters(BiomorphParameters const&) = default;
  BiomorphParameters& operator=(BiomorphParameters const&) = default;

  // ck multiplies z^k in P; the default P = z makes the step z^2 + c.
  std::array<double, kNumCoefficients> coefficients{0, 1, 0, 0, 0, 0};
  double sinWeight = 0;
  double expWeight = 0;
  double powWeight = 0;
  double fixedRe = 0.5;
  double fixedIm = 0;
  std::string analyzerID = "OA_Dwell";
  bool biomorphTest = true;

  double getTheta() const { return m_theta; }
  double getPhi() const { return m_phi; }
  int getNumIter() const { return m_numIter; }
  // Clamped to [0, 1]; a NaN becomes 0.
  void setTheta(double v) { m_theta = clampBlend(v); }
  void setPhi(double v) { m_phi = clampBlend(v); }
  // Clamped to [1, 32767].
  void setNumIter(long long v) { m_numIter = clampIterations(v); }

  static double clampBlend(double v);
  static int clampIterations(long long v);
  // v truncated toward zero and clamped; a NaN gives fallback.
  static int clampIterations(double v, int fallback);

  unsigned getNumParameters() const override { return kCount; }
  // Both raise PlatformError (status 0) for an index of 14 or more. setParameter
  // clamps theta and phi, and stores numIter truncated and clamped (a NaN
  // count leaves it as it was).
  double getParameter(unsigned long i) const override;
  void setParameter(unsigned long i, double value) override;

  // c0 ... c5, the three weights, theta, phi, K, the analyzer, the test as 0
  // or 1, numIter; each followed by one blank.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing
  // changes. Theta and phi are clamped (NaN gives 0); the count may be written
  // as any integer or as a finite or infinite double, and is truncated and
  // clamped; a count "nan" fails the read.
  void inputParameters(std::istream& is);

  // This block becomes a copy of a whose indexed parameters are morphed
  // towards b's by t through setParameter; analyzer and test stay a's.
  void morph(BiomorphParameters const& a, BiomorphParameters const& b, double t);

 private:
  double m_theta = 0;
  double m_phi = 0;
  int m_numIter = kDefaultIterations;
};

// The indexed parameters within paramsAreEqual, the same analyzer, test and count.
bool operator==(BiomorphParameters const& a, BiomorphParameters const& b);

}  // namespace orlenza
