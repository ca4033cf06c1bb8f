#pragma once
// The parameter block of the iterated-sines generator: three nested sine
// waves, in x, in y and in x y, each with its frequencies, phase and weight,
// and the amplitude of the sum.

#include <array>
#include <iosfwd>

namespace orlenza {

struct ItSinesParameters {
  // d sin(u a + sin(u b) + c) of one variable u.
  struct ParamGroup {
    double frequency = 1;       // a
    double innerFrequency = 1;  // b
    double phase = 0;           // c
    double weight = 1;          // d

    // The four values, each followed by one blank.
    void outputParameters(std::ostream& os) const;
  };

  // The thirteen values in text order: group g's a, b, c, d are 4g ... 4g + 3,
  // the amplitude is 12.
  static constexpr unsigned kNumValues = 13;
  static constexpr unsigned kAmplitude = 12;

  ParamGroup xGroup;
  ParamGroup yGroup;
  ParamGroup xyGroup;
  double amplitude = 1000;

  // Value i of the thirteen; an index past them answers 0 (get) or changes nothing (set).
  double getValue(unsigned i) const;
  void setValue(unsigned i, double value);

  // The three groups, then the amplitude, every value followed by one blank.
  void outputParameters(std::ostream& os) const;
  // All or nothing: on a bad or missing token the stream fails and nothing changes.
  void inputParameters(std::istream& is);

  // This block becomes b t + a (1 - t), value by value.
  void morph(ItSinesParameters const& a, ItSinesParameters const& b, double t);
};

// All thirteen values pairwise paramsAreEqual.
bool operator==(ItSinesParameters const& a, ItSinesParameters const& b);

}  // namespace orlenza
