#include "core/generators/Perlin/PerlinParameters.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

#include "core/base/TextIO.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {

namespace {

constexpr double kIntLow = std::numeric_limits<int>::min();
constexpr double kIntHigh = std::numeric_limits<int>::max();

int pinnedToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int clampOctaves(int v) { return std::clamp(v, PerlinParameters::kMinOctaves, PerlinParameters::kMaxOctaves); }

double clampPersistence(double v, double fallback) { return std::isnan(v) ? fallback : std::clamp(v, 0.0, 1.0); }

// Converting a double outside the int range is undefined, so the morph pins it first.
int morphCount(int a, int b, double t) {
  double const m = (1 - t) * a + t * b;
  if (std::isnan(m)) return a;
  return static_cast<int>(std::clamp(std::trunc(m), kIntLow, kIntHigh));
}

}  // namespace

void PerlinParameters::forceValid() {
  PerlinParameters const defaults;
  octavesA = clampOctaves(octavesA);
  octavesB = clampOctaves(octavesB);
  octavesC = clampOctaves(octavesC);
  persistenceA = clampPersistence(persistenceA, defaults.persistenceA);
  persistenceB = clampPersistence(persistenceB, defaults.persistenceB);
  persistenceC = clampPersistence(persistenceC, defaults.persistenceC);
  if (!std::isfinite(scaleB)) scaleB = defaults.scaleB;
  if (!std::isfinite(scaleC)) scaleC = defaults.scaleC;
  amplitude = std::isnan(amplitude) ? defaults.amplitude : std::fabs(amplitude);
}

void PerlinParameters::outputParameters(std::ostream& os) const {
  text::writeInt(os, octavesA);
  text::writeDouble(os, persistenceA);
  text::writeDouble(os, scaleB);
  text::writeInt(os, octavesB);
  text::writeDouble(os, persistenceB);
  text::writeDouble(os, scaleC);
  text::writeInt(os, octavesC);
  text::writeDouble(os, persistenceC);
  text::writeDouble(os, amplitude);
  text::writeInt(os, combination);
  text::writeInt(os, shaping);
}

void PerlinParameters::inputParameters(std::istream& is) {
  PerlinParameters read;
  long long countA = 0, countB = 0, countC = 0, combinationRead = 0, shapingRead = 0;
  text::readInt(is, countA);
  text::readDouble(is, read.persistenceA);
  text::readDouble(is, read.scaleB);
  text::readInt(is, countB);
  text::readDouble(is, read.persistenceB);
  text::readDouble(is, read.scaleC);
  text::readInt(is, countC);
  text::readDouble(is, read.persistenceC);
  text::readDouble(is, read.amplitude);
  text::readInt(is, combinationRead);
  text::readInt(is, shapingRead);
  if (!is) return;
  read.octavesA = pinnedToInt(countA);
  read.octavesB = pinnedToInt(countB);
  read.octavesC = pinnedToInt(countC);
  read.combination = pinnedToInt(combinationRead);
  read.shaping = pinnedToInt(shapingRead);
  *this = read;
}

void PerlinParameters::morph(PerlinParameters const& a, PerlinParameters const& b, double t) {
  auto const mix = [t](double x, double y) { return (1 - t) * x + t * y; };
  octavesA = morphCount(a.octavesA, b.octavesA, t);
  octavesB = morphCount(a.octavesB, b.octavesB, t);
  octavesC = morphCount(a.octavesC, b.octavesC, t);
  persistenceA = mix(a.persistenceA, b.persistenceA);
  persistenceB = mix(a.persistenceB, b.persistenceB);
  persistenceC = mix(a.persistenceC, b.persistenceC);
  scaleB = mix(a.scaleB, b.scaleB);
  scaleC = mix(a.scaleC, b.scaleC);
  amplitude = mix(a.amplitude, b.amplitude);
  PerlinParameters const& choices = paramsAreEqual(t, 1.0) ? b : a;
  combination = choices.combination;
  shaping = choices.shaping;
}

bool operator==(PerlinParameters const& a, PerlinParameters const& b) {
  return a.octavesA == b.octavesA && a.octavesB == b.octavesB && a.octavesC == b.octavesC && a.shaping == b.shaping &&
         a.combination == b.combination && paramsAreEqual(a.scaleB, b.scaleB) && paramsAreEqual(a.scaleC, b.scaleC) &&
         paramsAreEqual(a.persistenceA, b.persistenceA) && paramsAreEqual(a.persistenceB, b.persistenceB) &&
         paramsAreEqual(a.persistenceC, b.persistenceC) && paramsAreEqual(a.amplitude, b.amplitude);
}

}  // namespace orlenza
