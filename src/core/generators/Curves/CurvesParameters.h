#pragma once
// The parameter block of the curves generator: a closed curve whose two
// coordinates each combine up to three sines of the curve parameter, the
// number of points it is sampled at, and whether the points are joined.

#include <array>
#include <iosfwd>
#include <string_view>

namespace orlenza {

class CurvesParameters {
 public:
  static constexpr std::string_view kSnapshotIdentifier = "Curves";

  // One term sin(theta * frequency + phase * pi); the phase is in half-turns.
  struct FunctionParams {
    int frequency = 0;
    double phase = 0;
  };
  // The terms s1, s2, s3 of one coordinate.
  struct CoordParams {
    std::array<FunctionParams, 3> terms{};
  };
  // How a coordinate combines its terms; any other value combines like 0.
  enum eCombination : int {
    kS1 = 0,              // s1
    kSum12 = 1,           // s1 + s2
    kProduct12 = 2,       // s1 s2
    kSum123 = 3,          // s1 + s2 + s3
    kProduct123 = 4,      // s1 s2 s3
    kSum23TimesS1 = 5,    // (s2 + s3) s1
    kProduct12PlusS3 = 6  // s1 s2 + s3
  };
  static constexpr int kNumCombinations = 7;

  // The largest absolute value a coordinate combined so can take.
  static double getMaxValue(int combination);
  // The coordinate from its three term values.
  static double combine(int combination, double s1, double s2, double s3);

  unsigned numPoints = 2000;
  bool connect = true;
  int xCombination = kProduct123;
  CoordParams xCoords{{{{3, 0.0}, {3, 0.5}, {2, 0.5}}}};
  int yCombination = kProduct12;
  CoordParams yCoords{{{{3, 0.0}, {2, 0.0}, {2, 0.0}}}};

  // numPoints, connect, xCombination, the x terms (frequency, phase), a blank,
  // yCombination, the y terms, a blank; every token followed by one blank.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing
  // changes. Integers beyond their type's range are pinned to its end.
  void inputParameters(std::istream& is);

  // This block becomes a morphed towards b by t: numPoints and frequencies
  // linear and truncated (numPoints clamped to the unsigned range), phases
  // linear, connect and the combinations b's from t = 1 on, else a's.
  void morph(CurvesParameters const& a, CurvesParameters const& b, double t);
};

// The integers equal, the phases within 1e-5.
bool operator==(CurvesParameters const& a, CurvesParameters const& b);

}  // namespace orlenza
