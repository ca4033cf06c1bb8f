#include "core/generators/Perlin/ParameterPanePerlin.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Perlin/SnapshotPerlin.h"

namespace orlenza {
namespace {

using gen_test::textOf;

using P = PerlinParameters;
using Pane = ParameterPanePerlin;

std::shared_ptr<SnapshotPerlin> withParameters(P const& p) {
  return std::make_shared<SnapshotPerlin>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotPerlin&>(*s).getParameters(); }

class ParameterPanePerlinTest : public gen_test::CoreTest {
 protected:
  // Shown, then written back into the snapshot shown, as the controls do.
  P roundTrip(P const& p) {
    auto const s = withParameters(p);
    pane.updateFromSnapshot(*s);
    pane.updateToSnapshot(*s);
    return s->getParameters();
  }

  Pane pane;
};

TEST_F(ParameterPanePerlinTest, FieldsLocksAndTheValidityOfWhatIsTyped) {
  auto const& fields = pane.fields();
  ASSERT_EQ(fields.size(), 11u);
  int const locks[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 302, 301};
  for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(fields[i].lockIndex, locks[i]) << i;
  EXPECT_EQ(fields[Pane::kOctavesCField].kind, FieldKind::Integer);
  EXPECT_EQ(fields[Pane::kShapingField].undoKey, "undo_menu");

  P p;
  p.octavesA = 20;
  p.persistenceB = 1.5;
  p.scaleC = 1.0 / 3;
  p.combination = 3;
  p.shaping = 2;
  pane.updateFromSnapshot(*withParameters(p));
  EXPECT_EQ(pane.fieldText(Pane::kScaleCField), "0.333333");
  EXPECT_EQ(pane.fieldText(Pane::kCombinationField), "perlincomb_AtimesB");
  EXPECT_EQ(pane.fieldText(Pane::kShapingField), "perlinshape_positive");
  // Written back, the pane's ranges apply: 20 octaves become 12, a persistence of 1.5 becomes 1.
  EXPECT_EQ(textOf(roundTrip(p)), "12 0.5 0.2 4 1 0.333333 5 0.6 1000 3 2 ");

  // Typed texts: out of range, negative, not a finite number (read as 0).
  char const* const typed[] = {"3", "nan", "inf", "0", "0.25", "-4", "1e20", "-3", "-250", "perlincomb_AplusBplusC",
                               "perlinshape_abs"};
  for (std::size_t i = 0; i < Pane::kFieldCount; ++i) pane.setFieldText(i, typed[i]);
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  EXPECT_EQ(textOf(paramsOf(s)), "3 0 0 1 0.25 -4 12 0 250 2 1 ");

  P odd;
  odd.combination = 9;
  odd.shaping = -1;
  pane.updateFromSnapshot(*withParameters(odd));
  EXPECT_EQ(pane.fieldText(Pane::kCombinationField), "perlincomb_A");
  EXPECT_EQ(pane.fieldText(Pane::kShapingField), "perlinshape_half");
  EXPECT_TRUE(roundTrip(odd) == odd);
  pane.setFieldText(Pane::kCombinationField, "perlincomb_AplusB");
  pane.setFieldText(Pane::kShapingField, "perlinshape_abs");
  auto const chosen = withParameters(odd);
  pane.updateToSnapshot(*chosen);
  EXPECT_EQ(textOf(chosen->getParameters()), "5 0.5 0.2 4 0.7 0.5 5 0.6 1000 1 1 ");
}

TEST_F(ParameterPanePerlinTest, RandomSnapshotHonoursLocks) {
  P const start{.octavesA = 11, .persistenceA = 0.05, .scaleB = 7, .octavesB = 12, .persistenceB = 0.1, .scaleC = 9,
                .octavesC = 10, .persistenceC = 0.15, .amplitude = 3, .combination = 9, .shaping = 7};
  auto const current = withParameters(start);
  gen_test::giveBusyCore(*current);

  int const locks[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 301, 302};
  // All open: the draws in field order, shaping before combination, none after.
  for (int lock : locks) pane.setLocked(lock, false);
  for (std::uint32_t seed : {1u, 2u, 4000000000u}) {
    RandomUtils::seed(seed);
    P const p = paramsOf(pane.makeRandomSnap(current));
    AdditiveFeedbackGenerator d(seed);
    EXPECT_EQ(p.octavesA, RandomUtils::intFromDraw(d.next(), 1, 8));
    EXPECT_EQ(p.persistenceA, RandomUtils::doubleFromDraw(d.next(), 0.2, 1.0));
    EXPECT_EQ(p.scaleB, RandomUtils::doubleFromDraw(d.next(), 0.01, 1.0));
    EXPECT_EQ(p.octavesB, RandomUtils::intFromDraw(d.next(), 1, 8));
    EXPECT_EQ(p.persistenceB, RandomUtils::doubleFromDraw(d.next(), 0.2, 1.0));
    EXPECT_EQ(p.scaleC, RandomUtils::doubleFromDraw(d.next(), 0.01, 1.0));
    EXPECT_EQ(p.octavesC, RandomUtils::intFromDraw(d.next(), 1, 8));
    EXPECT_EQ(p.persistenceC, RandomUtils::doubleFromDraw(d.next(), 0.2, 1.0));
    EXPECT_EQ(p.amplitude, 1000);
    EXPECT_EQ(p.shaping, RandomUtils::intFromDraw(d.next(), 1, 3) - 1);
    EXPECT_EQ(p.combination, RandomUtils::intFromDraw(d.next(), 1, 5) - 1);
    EXPECT_EQ(RandomUtils::random(), d.next());
  }
  // One lock keeps its one field.
  pane.setLocked(106, true);
  EXPECT_EQ(paramsOf(pane.makeRandomSnap(current)).scaleC, 9);

}

}  // namespace
}  // namespace orlenza
