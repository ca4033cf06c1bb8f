#include "core/model/Gradation.h"

#include "core/base/RandomUtils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>
#include <sstream>
#include <string>

namespace orlenza {
namespace {

KeyframePosition at(std::int32_t steps) { return KeyframePosition::fromSteps(steps); }

std::string textOf(Gradation const& g) {
  std::ostringstream os;
  os << g;
  return os.str();
}

TEST(Gradation, DefaultAndClampedLookups) {
  Gradation const g;  // its keys are pinned by the text form
  EXPECT_EQ(g.getColor(KeyframePosition(0.5)), (RGBColor{32767, 32767, 32767}));  // 65535 / 2, truncated
  // The invalid position, and every float outside 0..1 that makes one, is looked up at 0.
  EXPECT_EQ(g.getColor(KeyframePosition()), k_RGBblack);
  EXPECT_EQ(g.getColor(KeyframePosition(1.5)), k_RGBblack);
}

TEST(Gradation, InterpolatesInSinglePrecisionAndTruncates) {
  Gradation g;
  g.setColor(0.5, RGBColor{1000, 2000, 30000});
  // Expected values from a separate single-precision model of the lookup.
  struct Case {
    std::int32_t steps;
    RGBColor expected;
  };
  Case const cases[] = {
      {3333, {666, 1333, 19998}},  {5000, {1000, 2000, 30000}}, {7500, {33267, 33767, 47767}},
      {9999, {65522, 65522, 65527}}, {1, {0, 0, 6}},
  };
  for (auto const& c : cases) EXPECT_EQ(g.getColor(at(c.steps)), c.expected) << c.steps;

  // Between two equal keys the colour is exactly theirs, never one below.
  Gradation white;
  white.setColor(0.0, k_RGBwhite);
  Gradation flat;
  flat.setColor(0.0, RGBColor{512, 65535, 1});
  flat.setColor(1.0, RGBColor{512, 65535, 1});
  for (std::int32_t s = 1; s < 10000; s += 37) {
    EXPECT_EQ(white.getColor(at(s)), k_RGBwhite) << s;
    EXPECT_EQ(flat.getColor(at(s)), (RGBColor{512, 65535, 1})) << s;
  }
}

TEST(Gradation, EditingOperations) {
  RGBColor const a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9};
  Gradation g;
  g.addEntry(KeyframePosition(0.4), a);
  g.addEntry(KeyframePosition(0.4), b);  // an existing colour stays
  EXPECT_EQ(g.getColor(KeyframePosition(0.4)), a);
  EXPECT_EQ(g.setColor(0.4, b), b);  // setColor replaces
  EXPECT_EQ(g.getColor(KeyframePosition(0.4)), b);
  g.replaceEntry(KeyframePosition(0.6), c);  // no entry there: nothing
  EXPECT_FALSE(g.hasKeyColor(KeyframePosition(0.6)));
  g.replaceEntry(KeyframePosition(0.4), c);
  EXPECT_EQ(g.getColor(KeyframePosition(0.4)), c);

  // Clamped operations: the invalid position means 0.
  g.addEntry(KeyframePosition(7.0), a);
  EXPECT_EQ(g.size(), 3u);
  EXPECT_EQ(g.getColor(at(0)), k_RGBblack);
  g.setColor(KeyframePosition(-3.0), a);
  EXPECT_EQ(g.getColor(at(0)), a);
  EXPECT_FALSE(g.hasKeyColor(KeyframePosition()));  // hasKeyColor is not clamped

  // Moving onto an occupied position removes the moved entry.
  g.setColor(0.7, b);
  g.moveEntry(KeyframePosition(0.7), KeyframePosition(0.4));
  EXPECT_FALSE(g.hasKeyColor(KeyframePosition(0.7)));
  EXPECT_EQ(g.getColor(KeyframePosition(0.4)), c);
  g.moveEntry(KeyframePosition(0.4), KeyframePosition(0.45));
  EXPECT_FALSE(g.hasKeyColor(KeyframePosition(0.4)));

  // The end keys cannot be erased or moved: every lookup relies on them.
  g.eraseEntry(at(0));
  g.eraseEntry(at(10000));
  g.moveEntry(at(0), KeyframePosition(0.5));
  g.moveEntry(at(10000), KeyframePosition(0.5));
  EXPECT_TRUE(g.hasKeyColor(at(0)));
  EXPECT_TRUE(g.hasKeyColor(at(10000)));
  EXPECT_EQ(g.getColor(at(0)), a);
  g.eraseEntry(KeyframePosition(0.45));
  EXPECT_EQ(g.size(), 2u);

  Gradation other;
  other.setColor(0.0, a);
  EXPECT_EQ(g, other);
  other.setColor(0.5, a);
  EXPECT_NE(g, other);
}

TEST(Gradation, TextFormIsWrittenAndReadBack) {
  EXPECT_EQ(textOf(Gradation()), "2 0 0 0 0 1 65535 65535 65535 ");

  Gradation odd;
  odd.setColor(0.0, RGBColor{65535, 0, 1});
  odd.setColor(1.0, RGBColor{0, 65535, 65534});
  odd.setColor(KeyframePosition::fromSteps(1), RGBColor{12345, 54321, 7});
  odd.setColor(KeyframePosition::fromSteps(9999), RGBColor{1, 1, 1});
  odd.setColor(0.33, RGBColor{40000, 30000, 20000});
  odd.setColor(0.5, k_RGByellow);
  std::string const text = textOf(odd);
  EXPECT_EQ(text,
            "6 0 65535 0 1 9.99999974738e-05 12345 54321 7 0.330000013113 40000 30000 20000 0.5 65535 65535 0 "
            "0.999899983406 1 1 1 1 0 65535 65534 ");
  std::istringstream is(text + "3.5 ");
  Gradation back;
  is >> back;
  ASSERT_TRUE(is);
  EXPECT_EQ(back, odd);
  double next = 0;
  is >> next;  // the reader stops right after the gradation
  EXPECT_EQ(next, 3.5);
}

TEST(Gradation, ReaderRules) {
  struct Case {
    char const* text;
    bool good;
    std::string expected;  // text form of the result
  };
  Case const cases[] = {
      {"0 ", true, "2 0 0 0 0 1 65535 65535 65535 "},
      // Only the end keys: their colours are replaced.
      {"2 0 1 2 3 1 4 5 6 ", true, "2 0 1 2 3 1 4 5 6 "},
      // A float that rounds to exactly 1 replaces the end colour too.
      {"1 0.99999999 4 5 6 ", true, "2 0 0 0 0 1 4 5 6 "},
      // Two entries on one step: the first wins.
      {"2 0.5 1 1 1 0.50001 2 2 2 ", true, "3 0 0 0 0 0.5 1 1 1 1 65535 65535 65535 "},
      // Positions outside 0..1 and NaN fall on 0, where an entry stands: ignored.
      {"3 nan 9 9 9 1e300 8 8 8 -2 7 7 7 ", true, "2 0 0 0 0 1 65535 65535 65535 "},
  };
  for (auto const& c : cases) {
    std::istringstream is(c.text);
    Gradation g;
    is >> g;
    EXPECT_EQ(!is.fail(), c.good) << c.text;
    EXPECT_EQ(textOf(g), c.expected) << c.text;
  }
}

TEST(Gradation, GarbageFailsTheStreamQuicklyAndChangesNothing) {
  std::string const garbage[] = {
      "",
      "abc",
      "2 0 0 0",                          // missing tokens
      "3 0.5 1 2 3 ",                     // count larger than the keys present
      "2000000000 0.5 1 2 3 0.6 1 2 3 ",  // huge count
      "99999999999999999999 ",            // count beyond int
      "1 0.5 65536 0 0 ",                 // component out of range
      "1 0.5 -1 0 0 ",
      "1 0.5 1.5 0 0 ",
      "1.5 0.5 1 1 1 ",
      "1 0.5 1 1 " + std::string(10 * 1024 * 1024, '7'),  // a 10 MB token
      "1 " + std::string(10 * 1024 * 1024, '.'),
  };
  for (auto const& text : garbage) {
    auto const started = std::chrono::steady_clock::now();
    std::istringstream is(text);
    Gradation g;
    g.setColor(0.3, k_RGBgreen);
    Gradation const before = g;
    is >> g;
    EXPECT_TRUE(is.fail()) << text.substr(0, 40);
    EXPECT_EQ(g, before) << text.substr(0, 40);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << text.substr(0, 40);
  }
}

TEST(Gradation, RandomGradationsDrawInTheDocumentedOrder) {
  // Rebuilt from the C library's own draws with the formulas written out here.
  auto unit = [] { return static_cast<double>(::random()) / 2147483647.0; };
  auto component = [&] {
    double const k = std::floor(unit() * 65536.0);
    return static_cast<std::uint16_t>(k > 65535 ? 65535 : k);
  };
  std::set<std::size_t> sizes;
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    ::srandom(seed);
    Gradation expected;
    RGBColor c0{component(), component(), component()};
    RGBColor c1{component(), component(), component()};
    expected.setColor(0.0, c0);
    expected.setColor(1.0, c1);
    double const m = std::floor(unit() * 6.0);
    int const extra = m > 5 ? 5 : static_cast<int>(m);
    for (int i = 0; i < extra; ++i) {
      RGBColor c{component(), component(), component()};
      double const position = 0.01 + unit() * (0.99 - 0.01);
      expected.setColor(position, c);
    }

    RandomUtils::seed(seed);
    Gradation g;
    g.randomize();
    ASSERT_EQ(g, expected) << "seed " << seed;
    sizes.insert(g.size());
  }
  EXPECT_EQ(*sizes.begin(), 2u);
  EXPECT_EQ(*sizes.rbegin(), 7u);
}

TEST(Gradation, BlendOfTwoGradations) {
  Gradation const a;  // black to white
  Gradation b;
  b.setColor(0.0, k_RGBred);
  b.setColor(1.0, k_RGBblue);
  b.setColor(0.3, k_RGBgreen);

  // At t = 0.25, values from a separate model: trunc(0.75 a + 0.25 b) per key.
  Gradation const blend = a.morphTowards(b, 0.25);
  struct Case {
    std::int32_t steps;
    RGBColor expected;
  };
  Case const cases[] = {
      {0, {16383, 0, 0}},         {2500, {15017, 25940, 12287}},  {3000, {14745, 31128, 14745}},
      {5000, {24575, 36277, 29256}}, {7500, {36863, 42714, 47395}}, {10000, {49151, 49151, 65535}},
  };
  ASSERT_EQ(blend.size(), 6u);
  for (auto const& c : cases) {
    EXPECT_TRUE(blend.hasKeyColor(at(c.steps))) << c.steps;
    EXPECT_EQ(blend.getColor(at(c.steps)), c.expected) << c.steps;
  }

  double const nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(a.morphTowards(b, 0.0), a);  // a copy, without the extra keys
  EXPECT_EQ(a.morphTowards(b, nan), a);
  EXPECT_EQ(a.morphTowards(b, 1.0), b);
  EXPECT_EQ(a.morphTowards(b, std::numeric_limits<double>::infinity()), b);
  // Blending a gradation with itself keeps every colour on every key.
  Gradation white;
  white.setColor(0.0, k_RGBwhite);
  for (double t : {0.1, 0.3, 0.7, 0.9, 1e-300}) {
    Gradation const flat = white.morphTowards(white, t);
    for (auto const& [position, colour] : flat.entries()) EXPECT_EQ(colour, k_RGBwhite) << t;
  }
}

// Its morph is pinned through GradationInfo's.
TEST(GradationAuxiliaryInfo, Equality) {
  GradationAuxiliaryInfo const a{1.0, 0.0};
  GradationAuxiliaryInfo const withNan{std::numeric_limits<double>::quiet_NaN(), 0.0};
  EXPECT_NE(withNan, withNan);
  EXPECT_NE(a, (GradationAuxiliaryInfo{1.0, -0.0 + 1e-300}));
  EXPECT_EQ(a, (GradationAuxiliaryInfo{1.0, -0.0}));
}

TEST(Gradation, ColourStrip) {
  EXPECT_EQ(Gradation().colourStrip(4), (std::vector<RGBColor>{k_RGBblack, RGBColor{16383, 16383, 16383},
                                                                 RGBColor{32767, 32767, 32767},
                                                                 RGBColor{49151, 49151, 49151}}));
  EXPECT_TRUE(Gradation().colourStrip(-3).empty());
}

}  // namespace
}  // namespace orlenza
