#include "core/generators/Perlin/PerlinNoise.h"

#include <utility>

namespace orlenza {

Perlin::Perlin(unsigned long seed) {
  MTGenerator generator(seed);
  for (Gradient& g : m_gradients) {
    // Two statements, so the x component is surely drawn first.
    g.x = generator.genrand_real1() - 0.5;
    g.y = generator.genrand_real1() - 0.5;
  }
  for (int i = 0; i < kTableSize; ++i) m_permutation[static_cast<std::size_t>(i)] = i;
  for (std::uint32_t i = 1; i < kTableSize; ++i) {
    std::uint32_t const j = generator.genrand_int32() % (i + 1);
    std::swap(m_permutation[i], m_permutation[j]);
  }
}

Perlin::Gradient const& Perlin::gradient(long ix, long iy) const {
  // Two's complement: & 255 is the remainder in 0 ... 255, negatives included.
  auto const row = static_cast<unsigned long>(m_permutation[static_cast<unsigned long>(iy) & 255UL]);
  return m_gradients[(row + static_cast<unsigned long>(ix)) & 255UL];
}

}  // namespace orlenza
