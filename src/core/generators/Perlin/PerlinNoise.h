#pragma once
// The two building blocks of the noise textures: MTGenerator, the 32-bit
// Mersenne Twister with its reference seeding, and Perlin, a two-dimensional
// gradient noise whose tables are drawn from one seed.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace orlenza {

class MTGenerator {
 public:
  static constexpr std::uint32_t kDefaultSeed = 5489;

  // Unseeded generators start from the reference default seed.
  MTGenerator() : MTGenerator(kDefaultSeed) {}
  // Only the low 32 bits of the seed count, as in the reference seeding.
  explicit MTGenerator(unsigned long seed) : m_engine(static_cast<std::uint32_t>(seed & 0xffffffffUL)) {}

  std::uint32_t genrand_int32() { return static_cast<std::uint32_t>(m_engine()); }
  // [0, 1], both ends possible.
  double genrand_real1() { return genrand_int32() * (1.0 / 4294967295.0); }

 private:
  // std::mt19937 is the reference recurrence, seeding and tempering.
  std::mt19937 m_engine;
};

class Perlin {
 public:
  struct Gradient {
    double x;
    double y;
  };
  static constexpr int kTableSize = 256;

  explicit Perlin(unsigned long seed);

  // G[(P[iy mod 256] + ix) mod 256], the remainders taken in 0 ... 255.
  Gradient const& gradient(long ix, long iy) const;

  // 0 at every lattice point; NaN when a coordinate is not finite.
  double noise2D(double x, double y) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return std::numeric_limits<double>::quiet_NaN();
    Corner const cx = lowCorner(x);
    Corner const cy = lowCorner(y);
    double const dx0 = x - cx.low;
    double const dx1 = x - (cx.low + 1.0);
    double const dy0 = y - cy.low;
    double const dy1 = y - (cy.low + 1.0);
    int const ix1 = (cx.index + 1) & 255;
    int const row0 = m_permutation[cy.index];
    int const row1 = m_permutation[(cy.index + 1) & 255];
    Gradient const& g00 = m_gradients[(row0 + cx.index) & 255];
    Gradient const& g01 = m_gradients[(row1 + cx.index) & 255];
    Gradient const& g10 = m_gradients[(row0 + ix1) & 255];
    Gradient const& g11 = m_gradients[(row1 + ix1) & 255];
    double const d00 = g00.x * dx0 + g00.y * dy0;
    double const d01 = g01.x * dx0 + g01.y * dy1;
    double const d10 = g10.x * dx1 + g10.y * dy0;
    double const d11 = g11.x * dx1 + g11.y * dy1;
    double const sx = dx0 * dx0 * (3 - 2 * dx0);
    double const sy = dy0 * dy0 * (3 - 2 * dy0);
    double const a = d00 + sx * (d10 - d00);
    double const b = d01 + sx * (d11 - d01);
    return a + sy * (b - a);
  }

  std::array<Gradient, kTableSize> const& gradients() const { return m_gradients; }
  std::array<int, kTableSize> const& permutation() const { return m_permutation; }

 private:
  // The lower corner of a coordinate's cell and its table index. A negative
  // whole number is the upper corner of its cell, so its lower corner is one less.
  struct Corner {
    double low;
    int index;
  };
  static Corner lowCorner(double x) {
    // Below 2^52 the truncation fits an integer exactly; at and beyond it every
    // double is whole, and the index is its remainder, so no conversion can overflow.
    constexpr double kWhole = 4503599627370496.0;
    if (x > -kWhole && x < kWhole) {
      long long const t = static_cast<long long>(x);
      long long const low = x >= 0 ? t : t - 1;
      return {static_cast<double>(low), static_cast<int>(low & 255)};
    }
    double const r = std::fmod(x, 256.0);
    int const index = static_cast<int>(r < 0 ? r + 256 : r);
    if (x >= 0) return {x, index};
    return {x - 1.0, (index + 255) & 255};
  }

  std::array<Gradient, kTableSize> m_gradients{};
  std::array<int, kTableSize> m_permutation{};
};

// The sum of octaves of one noise layer: octave i samples the noise at
// frequency f 2^i with weight p^i. Fewer than one octave sum to 0.
inline double octaveSum(Perlin const& noise, double f, int octaves, double persistence, double x, double y) {
  double s = 0;
  double q = 1;
  double w = 1;
  for (int i = 0; i < octaves; ++i) {
    s += w * noise.noise2D(f * q * x, f * q * y);
    q = 2 * q;
    w = w * persistence;
  }
  return s;
}

}  // namespace orlenza
