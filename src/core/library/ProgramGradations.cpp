#include "core/library/ProgramGradations.h"

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace orlenza {

namespace {

struct Key {
  std::int32_t steps;  // position in steps of 1/10000
  RGBColor colour;
};

constexpr RGBColor k_magenta{65535, 0, 65535};
constexpr RGBColor k_copper{40097, 27736, 5843};
constexpr RGBColor k_darkCopper{20049, 13868, 2922};
constexpr RGBColor k_umber{23301, 15763, 9081};
constexpr RGBColor k_plum{21845, 0, 21485};
constexpr RGBColor k_brown{30535, 14144, 0};
constexpr RGBColor k_rose{65535, 18196, 35515};
constexpr RGBColor k_navy{1601, 1374, 29749};
constexpr RGBColor k_grey{32768, 32768, 32768};
constexpr RGBColor k_leaf{21054, 42998, 13253};

// Each gradation as its final keys; keys 0 and 10000 are always listed, so
// nothing of the default black-to-white gradation is left unless stated.
std::initializer_list<Key> const k_table[] = {
    /* 0 */ {{0, k_RGBblack}, {10000, k_RGBwhite}},
    /* 1 */ {{0, k_RGBwhite}, {10000, k_RGBblack}},
    /* 2 */ {{0, k_RGBblack}, {2500, k_RGBred}, {5000, k_RGByellow}, {7500, k_RGBred}, {10000, k_RGBblack}},
    /* 3 */ {{0, k_RGBblack}, {3750, k_RGByellow}, {5625, {61602, 12451, 3932}}, {10000, {57531, 52622, 31749}}},
    /* 4 */
    {{0, k_RGBblack},
     {3750, k_RGBred},
     {6250, k_copper},
     {6562, k_darkCopper},
     {6875, k_RGBblack},
     {7187, k_darkCopper},
     {7500, k_copper},
     {8437, k_RGByellow},
     {9687, k_copper},
     {10000, k_RGBblack}},
    /* 5 */
    {{0, k_RGBblack},
     {1250, k_RGBred},
     {2500, k_RGByellow},
     {4687, k_RGBwhite},
     {7187, k_RGByellow},
     {8437, k_RGBred},
     {10000, k_RGBblack}},
    /* 6 */ {{0, k_RGBblack}, {2500, k_RGBblue}, {5000, {50000, 55535, 50000}}, {7500, k_RGBblue}, {10000, k_RGBblack}},
    /* 7 */ {{0, k_RGBblack}, {1500, k_brown}, {5000, k_RGByellow}, {8500, k_brown}, {10000, k_RGBblack}},
    /* 8 */ {{0, k_RGBblack}, {5000, k_RGBwhite}, {10000, k_RGBblack}},
    /* 9 */ {{0, {20000, 5000, 0}}, {2500, k_rose}, {5000, k_RGBwhite}, {7500, k_rose}, {10000, {20000, 5000, 0}}},
    /* 10 */ {{0, k_RGBblack}, {2500, k_RGBgreen}, {5000, k_RGByellow}, {7500, k_RGBgreen}, {10000, k_RGBblack}},
    /* 11 */ {{0, k_RGBblack}, {2500, {65535, 32768, 0}}, {5000, k_RGByellow}, {7500, k_RGBgreen}, {10000, k_RGBblack}},
    /* 12 */ {{0, k_RGBblack}, {5000, {27706, 51138, 65535}}, {10000, k_RGBwhite}},
    /* 13 */ {{0, k_RGBwhite}, {104, k_RGBblack}, {1562, k_RGBblack}, {10000, k_RGByellow}},
    /* 14 */ {{0, {0, 39976, 0}}, {3750, {58981, 36699, 0}}, {10000, k_RGBred}},
    /* 15 */ {{0, {24247, 18349, 65535}}, {5000, {39125, 4762, 56024}}, {10000, k_RGBwhite}},
    /* 16 */ {{0, k_RGBwhite}, {5000, {16995, 8794, 50092}}, {10000, k_RGBwhite}},
    /* 17 */ {{0, k_RGBred}, {2000, {5041, 5041, 5041}}, {5000, k_RGBwhite}, {7000, k_RGBred}, {10000, k_RGBblack}},
    /* 18 */ {{0, k_navy}, {2500, {65535, 4555, 3929}}, {5000, k_navy}, {7500, k_magenta}, {10000, k_navy}},
    /* 19 */
    {{0, k_RGBblack},
     {1000, k_RGBred},
     {2000, k_RGBblack},
     {3000, k_RGByellow},
     {4000, k_RGBblack},
     {5000, k_RGBgreen},
     {6000, k_RGBblack},
     {7000, k_RGBblue},
     {8000, k_RGBblack},
     {9000, k_magenta},
     {10000, k_RGBblack}},
    /* 20 */
    {{0, k_RGBblack},
     {1000, k_magenta},
     {2000, k_RGBblue},
     {3000, k_RGBgreen},
     {4000, k_RGByellow},
     {5000, k_RGBred},
     {6000, k_RGByellow},
     {7000, k_RGBgreen},
     {8000, k_RGBblue},
     {9000, k_magenta},
     {10000, k_RGBblack}},
    /* 21 */
    {{0, k_umber}, {1666, k_RGByellow}, {3330, k_umber}, {5000, {65535, 5000, 0}}, {6670, k_umber}, {10000, k_RGBblack}},
    /* 22 */ {{0, k_umber}, {2500, k_RGBgreen}, {5000, k_RGBblue}, {7500, k_RGBgreen}, {10000, k_umber}},
    /* 23 */
    {{0, k_RGBblack},
     {1250, k_plum},
     {2500, k_RGBred},
     {3750, k_plum},
     {5000, k_RGBblack},
     {6250, k_plum},
     {7500, k_RGByellow},
     {8750, k_plum},
     {10000, k_RGBblack}},
    /* 24 */
    {{0, k_RGBblack},
     {833, k_plum},
     {1666, k_RGBred},
     {2500, k_plum},
     {3333, k_RGBblack},
     {4166, k_plum},
     {5000, k_RGBred},
     {5833, k_plum},
     {6666, k_RGBblack},
     {7500, k_plum},
     {8333, k_RGByellow},
     {9166, k_plum},
     {10000, k_RGBblack}},
    /* 25 */
    {{0, k_RGBblack},
     {2500, {50708, 10089, 31523}},
     {5000, {60790, 54310, 3039}},
     {7500, {6547, 8376, 48039}},
     {10000, k_RGBblack}},
    /* 26 */ {{0, k_RGBblack}, {2500, k_RGBgreen}, {5000, k_RGBblack}, {10000, k_RGBblack}},
    /* 27 */
    {{0, k_RGBblack},
     {1666, k_grey},
     {3333, k_RGBblack},
     {5000, k_grey},
     {6666, k_RGBblack},
     {8333, k_RGBblack},
     {10000, k_RGBgreen}},
    /* 28 */
    {{0, k_RGBblack},
     {1800, k_RGBblack},
     {2000, k_RGBred},
     {2200, k_RGBblack},
     {3800, k_RGBblack},
     {4000, k_RGByellow},
     {4200, k_RGBblack},
     {5800, k_RGBblack},
     {6000, k_RGBgreen},
     {6200, k_RGBblack},
     {7799, k_RGBblack},
     {8000, k_RGBblue},
     {8200, k_RGBblack},
     {10000, k_RGBblack}},
    /* 29 */ {{0, k_RGBblack}, {2500, k_leaf}, {5000, k_RGByellow}, {7500, k_leaf}, {10000, k_RGBblack}},
    /* 30 */ {{0, k_RGBred}, {2000, k_RGByellow}, {5000, k_RGBgreen}, {8000, k_RGBblue}, {10000, k_magenta}},
    /* 31 */
    {{0, k_RGBwhite},
     {1000, k_RGBred},
     {2000, k_RGBwhite},
     {3000, k_RGByellow},
     {4000, k_RGBwhite},
     {5000, k_RGBgreen},
     {6000, k_RGBwhite},
     {7000, k_RGBblue},
     {8000, k_RGBwhite},
     {9000, k_magenta},
     {10000, k_RGBwhite}},
};

static_assert(std::size(k_table) == k_numProgramGradations);

}  // namespace

std::vector<Gradation> makeProgramGradations() {
  std::vector<Gradation> gradations;
  gradations.reserve(k_numProgramGradations);
  for (auto const& keys : k_table) {
    Gradation g;
    for (auto const& key : keys) g.setColor(KeyframePosition::fromSteps(key.steps), key.colour);
    gradations.push_back(std::move(g));
  }
  return gradations;
}

}  // namespace orlenza
