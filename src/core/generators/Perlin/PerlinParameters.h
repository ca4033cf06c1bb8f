#pragma once
// The parameter block of the noise textures: three layers of octave sums (A at
// base frequency 1, B and C at their own scales), the amplitude, and how the
// layers are combined and the result shaped.

#include <iosfwd>

namespace orlenza {

struct PerlinParameters {
  static constexpr int kMinOctaves = 1;
  static constexpr int kMaxOctaves = 12;

  int octavesA = 5;
  double persistenceA = 0.5;
  double scaleB = 0.2;
  int octavesB = 4;
  double persistenceB = 0.7;
  double scaleC = 0.5;
  int octavesC = 5;
  double persistenceC = 0.6;
  double amplitude = 1000;
  // 0: A, 1: A + B, 2: A + B + C, 3: A B, 4: A B + C; any other value gives 0.
  int combination = 0;
  // 1: |v|, 2: v where it is not negative, else 0; any other value: (v + 1) / 2.
  int shaping = 0;

  bool usesLayerB() const { return combination >= 1 && combination <= 4; }
  bool usesLayerC() const { return combination == 2 || combination == 4; }

  // What the pane makes of typed values: octave counts into 1 ... 12,
  // persistences into [0, 1], a non-negative amplitude. A NaN, which would
  // pass every clamp, becomes the field's default, as does a scale that is
  // not finite. Snapshot text is read as it stands.
  void forceValid();

  // The eleven fields in order, each followed by one blank.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing
  // changes. Integers beyond the int range are pinned to its ends.
  void inputParameters(std::istream& is);

  // This block becomes the morph of a towards b by t: doubles linear, octave
  // counts linear and truncated toward zero, combination and shaping a's
  // unless t is 1 within 1e-10.
  void morph(PerlinParameters const& a, PerlinParameters const& b, double t);
};

// Integers exactly, doubles within paramsAreEqual.
bool operator==(PerlinParameters const& a, PerlinParameters const& b);

}  // namespace orlenza
