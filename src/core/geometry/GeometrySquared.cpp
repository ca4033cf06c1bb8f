#include "core/geometry/GeometrySquared.h"

#include "core/base/TextIO.h"
#include "core/base/WorkStop.h"

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <istream>
#include <limits>

namespace orlenza {

std::string const& GeometrySquared::getIdentifier() const {
  static std::string const identifier(k_identifier);
  return identifier;
}

namespace {

Coord2D times(Coord2D const& w, Coord2D const& z) { return {w.x * z.x - w.y * z.y, w.x * z.y + w.y * z.x}; }

bool sameBits(Coord2D const& a, Coord2D const& b) {
  return std::bit_cast<std::uint64_t>(a.x) == std::bit_cast<std::uint64_t>(b.x) &&
         std::bit_cast<std::uint64_t>(a.y) == std::bit_cast<std::uint64_t>(b.y);
}

// A power near 2^31 takes seconds on one point: the computation's stop is asked
// between runs of this many multiplications, and a stopped point answers NaN.
bool stoppedAfter(long long step) { return (step & (work::kStepsPerPoll - 1)) == 0 && work::stopRequested(); }
constexpr double k_notANumber = std::numeric_limits<double>::quiet_NaN();

// Below this many multiplications the plain loop is cheaper than looking for repeats.
constexpr long long k_plainLoopSteps = 64;

}  // namespace

Coord2D GeometrySquared::complexPower(Coord2D z, int power) {
  Coord2D w{z.x * z.x - z.y * z.y, 2.0 * z.x * z.y};
  if (power <= 2) return w;
  long long remaining = static_cast<long long>(power) - 2;
  if (remaining <= k_plainLoopSteps) {
    for (; remaining > 0; --remaining) w = times(w, z);
    return w;
  }
  // Each step depends only on the bits of w, so once w repeats a value it had
  // `period` steps before, the rest of the sequence repeats with that period and
  // only the remainder needs computing. Zero, NaN, fixed points (z = 1) and short
  // cycles (z = i) end here quickly; Brent's scheme finds a repeat with one saved value.
  Coord2D saved = w;
  long long window = 1;
  long long sinceSaved = 0;
  while (remaining > 0) {
    w = times(w, z);
    --remaining;
    ++sinceSaved;
    if (sameBits(w, saved)) {
      for (remaining %= sinceSaved; remaining > 0; --remaining) {
        w = times(w, z);
        if (stoppedAfter(remaining)) return {k_notANumber, k_notANumber};
      }
      return w;
    }
    if (stoppedAfter(remaining)) return {k_notANumber, k_notANumber};
    if (sinceSaved == window) {
      saved = w;
      window *= 2;
      sinceSaved = 0;
    }
  }
  return w;
}

Coord2D GeometrySquared::getMappedCoords(Coord2D const& p) const {
  Coord2D const& c = getWorkingCenter();
  double const radius = getWorkingRadius();
  Coord2D const w = complexPower({(p.x - c.x) / radius, (p.y - c.y) / radius}, m_power);
  // Not scaled back by the radius: stored pictures depend on it.
  return {c.x + w.x, c.y + w.y};
}

std::shared_ptr<Geometry> GeometrySquared::morphTowardsSameClass(Geometry const& other, double t) const {
  auto const& target = sameClass(other);
  auto result = std::make_shared<GeometrySquared>(*this);
  result->morphViewBetween(*this, other, t);
  double const power = (1.0 - t) * m_power + t * target.m_power;
  // Truncation toward zero; out of range (or NaN, from a NaN or infinite t) it
  // would be undefined, so clamp to the int range and keep this power for NaN.
  if (std::isnan(power)) {
    result->m_power = m_power;
  } else if (power >= static_cast<double>(INT_MAX)) {
    result->m_power = INT_MAX;
  } else if (power <= static_cast<double>(INT_MIN)) {
    result->m_power = INT_MIN;
  } else {
    result->m_power = static_cast<int>(power);
  }
  return result;
}

bool GeometrySquared::isEqual_(Geometry const& other) const { return m_power == sameClass(other).m_power; }

void GeometrySquared::outputParameters(std::ostream& os) const { text::writeInt(os, m_power); }

void GeometrySquared::inputParameters(std::istream& is) { text::readInt(is, m_power); }

}  // namespace orlenza
