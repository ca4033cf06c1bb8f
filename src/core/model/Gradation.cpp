#include "core/model/Gradation.h"

#include "core/base/RandomUtils.h"
#include "core/base/TextIO.h"

#include <cmath>
#include <istream>
#include <iterator>
#include <limits>
#include <ostream>
#include <utility>

namespace orlenza {
namespace {

constexpr KeyframePosition k_start = KeyframePosition::fromSteps(0);
constexpr KeyframePosition k_end = KeyframePosition::fromSteps(KeyframePosition::k_steps);

bool isEnd(KeyframePosition p) { return p == k_start || p == k_end; }

// A blend of components a and b, truncated. Rounding can carry the blend of
// two equal components just below them (65535 and 65535 giving 65534.996), which
// would show a flat band in a different colour; the blend is therefore held
// between the two, and is otherwise untouched.
template <typename Real>
std::uint16_t blendedComponent(Real blend, std::uint16_t a, std::uint16_t b) {
  auto const low = static_cast<Real>(a < b ? a : b);
  auto const high = static_cast<Real>(a < b ? b : a);
  if (!(blend > low)) return static_cast<std::uint16_t>(low);  // NaN included
  if (blend > high) return static_cast<std::uint16_t>(high);
  return static_cast<std::uint16_t>(blend);
}

RGBColor randomColour() {
  RGBColor c;
  c.red = RandomUtils::intRnd(0, 65535);
  c.green = RandomUtils::intRnd(0, 65535);
  c.blue = RandomUtils::intRnd(0, 65535);
  return c;
}

// The float a stored position denotes; values beyond the float range saturate
// instead of overflowing the conversion.
float narrowToFloat(double v) {
  if (v > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
  if (v < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

std::istream& readComponent(std::istream& is, std::uint16_t& component) {
  unsigned value = 0;
  if (!text::readUnsigned(is, value)) return is;
  if (value > 65535u) {
    is.setstate(std::ios::failbit);
    return is;
  }
  component = static_cast<std::uint16_t>(value);
  return is;
}

}  // namespace

GradationAuxiliaryInfo GradationAuxiliaryInfo::morphTowards(GradationAuxiliaryInfo const& other, double t) const {
  if (std::isnan(t) || t <= 0) return *this;
  if (t >= 1) return other;
  return {(1 - t) * scale + t * other.scale, (1 - t) * offset + t * other.offset};
}

Gradation::Gradation() : m_entries{{k_start, k_RGBblack}, {k_end, k_RGBwhite}} {}

KeyframePosition Gradation::clampPosition(KeyframePosition p) noexcept {
  if (p.getValue() < 0.0f) return k_start;
  if (p.getValue() > 1.0f) return k_end;
  return p;
}

RGBColor Gradation::getColor(KeyframePosition p) const noexcept {
  p = clampPosition(p);
  auto const hi = m_entries.upper_bound(p);
  // The entries at 0 and 1 always exist; the two guards only keep a broken map defined.
  if (hi == m_entries.begin()) return hi == m_entries.end() ? k_RGBblack : hi->second;
  auto const lo = std::prev(hi);
  if (lo->first == p || hi == m_entries.end()) return lo->second;

  float const loPos = lo->first.getValue();
  float const t = (p.getValue() - loPos) / (hi->first.getValue() - loPos);
  auto blend = [t](std::uint16_t a, std::uint16_t b) {
    return blendedComponent(static_cast<float>(b) * t + static_cast<float>(a) * (1.0f - t), a, b);
  };
  return {blend(lo->second.red, hi->second.red), blend(lo->second.green, hi->second.green),
          blend(lo->second.blue, hi->second.blue)};
}

bool Gradation::hasKeyColor(KeyframePosition p) const { return m_entries.count(p) != 0; }

void Gradation::addEntry(KeyframePosition p, RGBColor const& c) { m_entries.emplace(clampPosition(p), c); }

void Gradation::replaceEntry(KeyframePosition p, RGBColor const& c) {
  auto const it = m_entries.find(clampPosition(p));
  if (it != m_entries.end()) it->second = c;
}

RGBColor Gradation::setColor(KeyframePosition p, RGBColor const& c) { return m_entries[clampPosition(p)] = c; }

void Gradation::eraseEntry(KeyframePosition p) {
  if (!isEnd(p)) m_entries.erase(p);
}

void Gradation::moveEntry(KeyframePosition from, KeyframePosition to) {
  auto const it = m_entries.find(from);
  if (it == m_entries.end() || isEnd(from)) return;
  RGBColor const colour = it->second;
  m_entries.erase(it);
  m_entries.emplace(clampPosition(to), colour);
}

void Gradation::randomize() {
  m_entries.clear();
  setColor(0.0, randomColour());
  setColor(1.0, randomColour());
  int const extraKeys = RandomUtils::intRnd(0, 5);
  for (int i = 0; i < extraKeys; ++i) {
    RGBColor const colour = randomColour();  // the colour is drawn before its position
    double const position = RandomUtils::doubleRnd(0.01, 0.99);
    setColor(KeyframePosition(position), colour);
  }
}

Gradation Gradation::morphTowards(Gradation const& other, double t) const {
  if (std::isnan(t) || t <= 0) return *this;
  if (t >= 1) return other;
  Gradation result;
  for (std::int32_t steps : {2500, 5000, 7500}) result.m_entries.emplace(KeyframePosition::fromSteps(steps), k_RGBblack);
  for (auto const& entry : m_entries) result.m_entries.emplace(entry.first, k_RGBblack);
  for (auto const& entry : other.m_entries) result.m_entries.emplace(entry.first, k_RGBblack);
  auto blend = [t](std::uint16_t a, std::uint16_t b) { return blendedComponent(a * (1 - t) + b * t, a, b); };
  for (auto& [position, colour] : result.m_entries) {
    RGBColor const a = getColor(position);
    RGBColor const b = other.getColor(position);
    colour = {blend(a.red, b.red), blend(a.green, b.green), blend(a.blue, b.blue)};
  }
  return result;
}

std::vector<RGBColor> Gradation::colourStrip(int width) const {
  std::vector<RGBColor> strip;
  if (width <= 0) return strip;
  strip.reserve(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x)
    strip.push_back(getColor(KeyframePosition(static_cast<float>(x) / static_cast<float>(width))));
  return strip;
}

std::ostream& operator<<(std::ostream& os, Gradation const& g) {
  text::writeInt(os, static_cast<long long>(g.size()));
  for (auto const& [position, colour] : g.entries()) {
    text::writeDouble(os, position.getValue());
    text::writeInt(os, colour.red);
    text::writeInt(os, colour.green);
    text::writeInt(os, colour.blue);
  }
  return os;
}

namespace {

enum class CountBelowOne { readsNothing, fails };
enum class OnDamage { keepGradation, keepKeysRead };

std::istream& readGradation(std::istream& is, Gradation& g, CountBelowOne belowOne, OnDamage onDamage) {
  int count = 0;
  if (!text::readInt(is, count)) return is;
  if (count < 1) {
    if (belowOne == CountBelowOne::fails) is.setstate(std::ios::failbit);
    return is;
  }
  // Built aside, so that a record cut short leaves g as it was.
  Gradation read = g;
  for (int i = 0; i < count; ++i) {
    double position = 0;
    RGBColor colour;
    if (!text::readDouble(is, position) || !readComponent(is, colour.red) || !readComponent(is, colour.green) ||
        !readComponent(is, colour.blue)) {
      if (onDamage == OnDamage::keepKeysRead) g = std::move(read);
      return is;  // the stream has failed: no leftovers are inserted
    }
    float const value = narrowToFloat(position);
    KeyframePosition const key(position);
    if (value == 0.0f || value == 1.0f)
      read.replaceEntry(key, colour);
    else
      read.addEntry(key, colour);
  }
  g = std::move(read);
  return is;
}

}  // namespace

std::istream& operator>>(std::istream& is, Gradation& g) {
  return readGradation(is, g, CountBelowOne::readsNothing, OnDamage::keepGradation);
}

std::istream& readEmbeddedGradation(std::istream& is, Gradation& g) {
  return readGradation(is, g, CountBelowOne::fails, OnDamage::keepGradation);
}

void readGradationLine(std::istream& is, Gradation& g) {
  readGradation(is, g, CountBelowOne::readsNothing, OnDamage::keepKeysRead);
}

}  // namespace orlenza
