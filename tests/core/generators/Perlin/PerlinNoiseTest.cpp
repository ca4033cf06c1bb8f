#include "core/generators/Perlin/PerlinNoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Published outputs of the reference MT19937.
TEST(MTGeneratorTest, ReproducesTheReferenceSequence) {
  MTGenerator seeded(5489);
  std::uint32_t const first[] = {3499211612u, 581869302u, 3890346734u, 3586334585u, 545404204u};
  for (std::uint32_t want : first) EXPECT_EQ(seeded.genrand_int32(), want);

  MTGenerator unseeded;  // never seeded: the reference default seed
  for (int i = 1; i < 10000; ++i) unseeded.genrand_int32();
  EXPECT_EQ(unseeded.genrand_int32(), 4123659995u);

  // Only the low 32 bits of a seed count; real1 is int32 / (2^32 - 1).
  MTGenerator wide(5489ul + (1ul << 32));
  EXPECT_EQ(wide.genrand_int32(), 3499211612u);
  EXPECT_EQ(wide.genrand_real1(), 581869302.0 / 4294967295.0);
}

// Tables and noise values from a separate implementation of the recurrence
// and of the noise, written in Python from the algorithm's description.
TEST(PerlinTest, TablesAndNoiseMatchAnIndependentImplementation) {
  Perlin const a(766);
  EXPECT_DOUBLE_EQ(a.gradients()[0].x, 0.0890836682145213);
  EXPECT_DOUBLE_EQ(a.gradients()[0].y, 0.339370681168365);
  EXPECT_EQ(a.permutation()[0], 184);
  EXPECT_EQ(a.permutation()[1], 222);
  EXPECT_EQ(a.permutation()[3], 102);
  Perlin const b(10043);
  EXPECT_DOUBLE_EQ(b.gradients()[255].x, 0.321675240486319);
  EXPECT_DOUBLE_EQ(b.gradients()[255].y, 0.47420667227688396);
  EXPECT_EQ(Perlin(8002).permutation()[255], 19);

  struct Sample {
    double x, y, value;
  } const samples[] = {
      {0.3, 0.7, -0.05219707831932574},        {4.25, 3.5, -0.009568129183616696},
      {-1.0, 0.5, 0.13644260910489656},        {-2.75, -0.125, 0.044333725008959324},
      {123.456, -78.9, -0.10691532209220812},  {-300.5, 1000.25, -0.19901846700208692},
      {1e6 + 0.5, -1e6 - 0.25, -0.06840359707940599},
  };
  for (auto const& s : samples) EXPECT_NEAR(a.noise2D(s.x, s.y), s.value, 1e-15) << s.x << "," << s.y;
  EXPECT_NEAR(b.noise2D(0.3, 0.7), 0.09529875962835913, 1e-15);
  EXPECT_NEAR(Perlin(8002).noise2D(0.3, 0.7), 0.14410860929681657, 1e-15);
}

TEST(PerlinTest, LatticeCellsNegativeCoordinatesAndHugeOrNonFiniteInput) {
  Perlin const n(766);
  for (double x : {-3.0, -1.0, -0.0, 0.0, 1.0, 7.0, 255.0, 256.0, -256.0, 1e9})
    for (double y : {-2.0, 0.0, 5.0, -1e9}) EXPECT_EQ(n.noise2D(x, y), 0.0) << x << "," << y;

  // -1 is the right edge of the cell [-2, -1]: the same value as the left edge of [-1, 0].
  EXPECT_NEAR(n.noise2D(-1.0, 0.5), n.noise2D(-1.0 + 1e-12, 0.5), 1e-11);
  EXPECT_NEAR(n.noise2D(-1e-13, 0.3), n.noise2D(1e-13, 0.3), 1e-12);

  // The table index wraps for negative and huge lattice coordinates.
  EXPECT_EQ(&n.gradient(-1, 0), &n.gradient(255, 0));
  EXPECT_EQ(&n.gradient(3, -257), &n.gradient(3, 255));
  EXPECT_EQ(&n.gradient(-1000000000L, 7), &n.gradient(-1000000000L + 256L * 3906250L, 7));

  // Past 2^52 every double is whole: still the lattice value, with no overflow.
  for (double big : {4503599627370496.0, -4503599627370496.0, 1e300, -1e300, 1.7976931348623157e308})
    EXPECT_EQ(n.noise2D(big, 0.0), 0.0) << big;
  EXPECT_TRUE(std::isfinite(n.noise2D(1e300, 0.5)));
  EXPECT_TRUE(std::isnan(n.noise2D(kNaN, 0.5)));
  EXPECT_TRUE(std::isnan(n.noise2D(0.5, kInf)));

  // Octave sums: none is 0; one octave is the noise; f q x scales the point.
  EXPECT_EQ(octaveSum(n, 1, 0, 0.5, 0.3, 0.7), 0.0);
  EXPECT_EQ(octaveSum(n, 1, -5, 0.5, 0.3, 0.7), 0.0);
  EXPECT_EQ(octaveSum(n, 1, 1, 0.5, 0.3, 0.7), n.noise2D(0.3, 0.7));
  EXPECT_DOUBLE_EQ(octaveSum(n, 0.5, 2, 0.25, 0.6, 1.4), n.noise2D(0.3, 0.7) + 0.25 * n.noise2D(0.6, 1.4));
}

}  // namespace
}  // namespace orlenza
