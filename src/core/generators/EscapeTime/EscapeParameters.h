#pragma once
// The parameter block of the escape-time generator: the twelve coefficients of
// a quadratic map of the plane and the orbit analyzer that reads its orbits.

#include <array>
#include <iosfwd>
#include <string>

#include "core/engine/EscapeKernel.h"

namespace orlenza {

struct EscapeParameters {
  static constexpr std::size_t kNumCoefficients = 12;

  // a0 ... a5 (x'), then b0 ... b5 (y').
  EscapeCoefficients coefficients{-1.2, -1.2, -0.3, 0.8, -0.5, -0.6,
                                                    -0.8, 0.5,  0.3,  0.2, -1.0, -1.2};
  std::string analyzerID = "OA_Dwell";

  // The twelve coefficients, then the analyzer, each followed by one blank.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing changes.
  void inputParameters(std::istream& is);

  // This block becomes the morph of a towards b by t: coefficients linear,
  // the analyzer a's.
  void morph(EscapeParameters const& a, EscapeParameters const& b, double t);
};

// Every coefficient pair within paramsAreEqual and the same analyzer.
bool operator==(EscapeParameters const& a, EscapeParameters const& b);

}  // namespace orlenza
