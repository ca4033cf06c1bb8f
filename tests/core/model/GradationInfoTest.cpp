#include "core/model/GradationInfo.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace orlenza {
namespace {

struct Key {
  int steps;
  RGBColor colour;
};

std::vector<Key> keysOf(Gradation const& g) {
  std::vector<Key> keys;
  for (auto const& [position, colour] : g.entries()) keys.push_back({position.getSteps(), colour});
  return keys;
}

void expectKeys(Gradation const& g, std::vector<Key> const& expected) {
  auto const keys = keysOf(g);
  ASSERT_EQ(keys.size(), expected.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].steps, expected[i].steps) << i;
    EXPECT_EQ(keys[i].colour, expected[i].colour) << i;
  }
}

// The default info's text form is pinned inside the default core's (SnapshotCoreTest).
TEST(GradationInfo, StoredKeysComeBackAloneWhateverTheTarget) {
  // A black-to-white gradation read into a default info must not pick up the
  // default's red and yellow keys.
  GradationInfo const stored(Gradation(), 2.5, 0.125);
  std::stringstream ss;
  ss << stored;
  GradationInfo target;  // five keys
  ss >> target;
  ASSERT_FALSE(ss.fail()) << ss.str();
  EXPECT_TRUE(target == stored);
  expectKeys(target.gradation, {{0, k_RGBblack}, {10000, k_RGBwhite}});

  Gradation odd;
  odd.setColor(KeyframePosition::fromSteps(1), RGBColor{1, 2, 3});
  odd.setColor(KeyframePosition::fromSteps(5000), RGBColor{65535, 0, 65535});
  odd.setColor(KeyframePosition::fromSteps(9999), RGBColor{4, 5, 6});
  odd.setColor(KeyframePosition::fromSteps(0), k_RGBgreen);
  GradationInfo const oddInfo(odd, -0.0, 1e300);
  std::stringstream ss2;
  ss2 << oddInfo;
  GradationInfo back;
  ss2 >> back;
  ASSERT_FALSE(ss2.fail()) << ss2.str();
  EXPECT_EQ(back.gradation.size(), 5u);
  EXPECT_EQ(back.gradation.getColor(KeyframePosition::fromSteps(0)), k_RGBgreen);
  EXPECT_EQ(back.gradation.getColor(KeyframePosition::fromSteps(5000)), (RGBColor{65535, 0, 65535}));
  EXPECT_EQ(back.auxiliary.offset, 1e300);
}

TEST(GradationInfo, MorphBlendsGradationsAndAuxiliary) {
  Gradation whiteToBlack;
  whiteToBlack.setColor(0.0, k_RGBwhite);
  whiteToBlack.setColor(1.0, k_RGBblack);
  GradationInfo const a(Gradation(), 1.0, 0.0);
  GradationInfo const b(whiteToBlack, 3.0, -1.0);

  EXPECT_TRUE(a.morphTowards(b, 0.0) == a);
  EXPECT_TRUE(a.morphTowards(b, std::numeric_limits<double>::quiet_NaN()) == a);
  EXPECT_TRUE(a.morphTowards(b, 1.0) == b);
  EXPECT_TRUE(a.morphTowards(b, 5.0) == b);

  GradationInfo const half = a.morphTowards(b, 0.5);
  // trunc(65535 / 2); the blend itself is pinned in GradationTest.
  EXPECT_EQ(half.gradation.getColor(KeyframePosition::fromSteps(0)), (RGBColor{32767, 32767, 32767}));
  EXPECT_EQ(half.auxiliary.scale, 2.0);
  EXPECT_EQ(half.auxiliary.offset, -0.5);
}

TEST(GradationInfo, GarbageFailsAndChangesNothing) {
  std::string const bad[] = {
      "",
      "x",
      "2 0 0 0 0 1 65535 65535 65535",        // scale and offset missing
      "2 0 0 0 0 1 65535 65535 65535 one 0",  // a letter for the scale
      "3 0 0 0 0 1 65535 65535 65535 1 0",  // one key short
  };
  for (auto const& text : bad) {
    GradationInfo info(Gradation(), 7.0, 7.0);
    std::istringstream is(text);
    is >> info;
    EXPECT_TRUE(is.fail()) << text.substr(0, 60);
    EXPECT_TRUE(info == GradationInfo(Gradation(), 7.0, 7.0)) << text.substr(0, 60);
  }
}

}  // namespace
}  // namespace orlenza
