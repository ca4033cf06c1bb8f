#include "core/library/ProgramGradations.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace orlenza {
namespace {

// "steps:red,green,blue" for each entry, blank-separated.
std::string keysOf(Gradation const& g) {
  std::ostringstream os;
  for (auto const& [position, colour] : g.entries()) {
    if (os.tellp() > 0) os << ' ';
    os << position.getSteps() << ':' << colour.red << ',' << colour.green << ',' << colour.blue;
  }
  return os.str();
}

RGBColor colourAt(Gradation const& g, int steps) { return g.getColor(KeyframePosition::fromSteps(steps)); }

TEST(ProgramGradations, EntryCountsOfAll32) {
  int const counts[k_numProgramGradations] = {2, 2, 5,  4, 10, 7, 5, 5, 3, 5,  5, 5,  3,  4, 3, 3,
                                              3, 5, 5, 11, 11, 6, 5, 9, 13, 5, 4, 7, 14, 5, 5, 11};
  auto const gradations = makeProgramGradations();
  ASSERT_EQ(gradations.size(), std::size_t{k_numProgramGradations});
  for (int i = 0; i < k_numProgramGradations; ++i) {
    EXPECT_EQ(gradations[i].size(), std::size_t(counts[i])) << "gradation " << i;
    // The lookup needs both ends.
    EXPECT_TRUE(gradations[i].hasKeyColor(KeyframePosition::fromSteps(0))) << i;
    EXPECT_TRUE(gradations[i].hasKeyColor(KeyframePosition::fromSteps(10000))) << i;
  }
}

// Whole key lists: every position and colour.
TEST(ProgramGradations, KeysOfSelectedGradations) {
  struct Case {
    int number;
    char const* text;
  };
  Case const cases[] = {
      {0, "0:0,0,0 10000:65535,65535,65535"},
      {1, "0:65535,65535,65535 10000:0,0,0"},
      {4,
       "0:0,0,0 3750:65535,0,0 6250:40097,27736,5843 6562:20049,13868,2922 6875:0,0,0 "
       "7187:20049,13868,2922 7500:40097,27736,5843 8437:65535,65535,0 9687:40097,27736,5843 "
       "10000:0,0,0"},
      {9, "0:20000,5000,0 2500:65535,18196,35515 5000:65535,65535,65535 7500:65535,18196,35515 10000:20000,5000,0"},
      {13, "0:65535,65535,65535 104:0,0,0 1562:0,0,0 10000:65535,65535,0"},
      {18, "0:1601,1374,29749 2500:65535,4555,3929 5000:1601,1374,29749 7500:65535,0,65535 10000:1601,1374,29749"},
      {21,
       "0:23301,15763,9081 1666:65535,65535,0 3330:23301,15763,9081 5000:65535,5000,0 "
       "6670:23301,15763,9081 10000:0,0,0"},
      {25, "0:0,0,0 2500:50708,10089,31523 5000:60790,54310,3039 7500:6547,8376,48039 10000:0,0,0"},
      {28,
       "0:0,0,0 1800:0,0,0 2000:65535,0,0 2200:0,0,0 3800:0,0,0 4000:65535,65535,0 4200:0,0,0 "
       "5800:0,0,0 6000:0,65535,0 6200:0,0,0 7799:0,0,0 8000:0,0,65535 8200:0,0,0 10000:0,0,0"},
      {30, "0:65535,0,0 2000:65535,65535,0 5000:0,65535,0 8000:0,0,65535 10000:65535,0,65535"},
  };
  auto const gradations = makeProgramGradations();
  for (auto const& c : cases) EXPECT_EQ(keysOf(gradations[c.number]), c.text) << "gradation " << c.number;
}

TEST(ProgramGradations, ColoursBetweenKeys) {
  struct Case {
    int number;
    int steps;
    RGBColor expected;
  };
  // 13: white to black over the first 104 steps, then black up to the key at 1562.
  Case const cases[] = {
      {0, 5000, {32767, 32767, 32767}}, {2, 1250, {32767, 0, 0}},     {2, 7500, k_RGBred},
      {3, 4687, {63569, 39007, 1964}},  {12, 2500, {13853, 25569, 32767}}, {13, 26, {49151, 49151, 49151}},
      {13, 800, k_RGBblack},            {26, 5000, k_RGBblack},         {26, 7777, k_RGBblack},
      {26, 9999, k_RGBblack},           {31, 9000, {65535, 0, 65535}},
  };
  auto const gradations = makeProgramGradations();
  for (auto const& c : cases) {
    auto const got = colourAt(gradations[c.number], c.steps);
    EXPECT_EQ(got, c.expected) << "gradation " << c.number << " at " << c.steps << ": " << got.red << ' '
                               << got.green << ' ' << got.blue;
  }
}

}  // namespace
}  // namespace orlenza
