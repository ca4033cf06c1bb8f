#include "core/generators/Perlin/ParameterPanePerlin.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Perlin/SnapshotPerlin.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/SnapshotKind.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

using P = PerlinParameters;
using Pane = ParameterPanePerlin;

struct OtherParameters {
  static constexpr std::string_view kSnapshotIdentifier = "TestNotPerlinPane";
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  void morph(OtherParameters const&, OtherParameters const&, double) {}
  friend bool operator==(OtherParameters const&, OtherParameters const&) = default;
};

std::shared_ptr<SnapshotPerlin> withParameters(P const& p) {
  return std::make_shared<SnapshotPerlin>("start", SnapshotCore(), p);
}

P const& paramsOf(std::shared_ptr<Snapshot> const& s) { return dynamic_cast<SnapshotPerlin&>(*s).getParameters(); }

void expectStatusZero(std::function<void()> const& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (PlatformError const& e) {
    EXPECT_EQ(e.statusCode(), 0);
  }
}

class ParameterPanePerlinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }

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
  for (std::size_t i : {0u, 3u, 6u}) EXPECT_EQ(fields[i].kind, FieldKind::Integer);
  EXPECT_EQ(fields[Pane::kScaleBField].kind, FieldKind::Double);
  EXPECT_EQ(fields[Pane::kCombinationField].choices.size(), 5u);
  EXPECT_EQ(fields[Pane::kShapingField].choices.size(), 3u);
  EXPECT_EQ(fields[Pane::kShapingField].undoKey, "undo_menu");
  EXPECT_EQ(fields[Pane::kAmplitudeField].labelKey, "lbl_perlin_amplitude");

  P p;
  p.octavesA = 20;
  p.persistenceB = 1.5;
  p.scaleC = 1.0 / 3;
  p.combination = 3;
  p.shaping = 2;
  pane.updateFromSnapshot(*withParameters(p));
  EXPECT_EQ(pane.fieldText(Pane::kOctavesAField), "20");
  EXPECT_EQ(pane.fieldText(Pane::kPersistenceBField), "1.5");
  EXPECT_EQ(pane.fieldText(Pane::kScaleCField), "0.333333");
  EXPECT_EQ(pane.fieldText(Pane::kCombinationField), "perlincomb_AtimesB");
  EXPECT_EQ(pane.fieldText(Pane::kShapingField), "perlinshape_positive");
  // Written back, the pane's ranges apply: 20 octaves become 12, a persistence of 1.5 becomes 1.
  P const back = roundTrip(p);
  EXPECT_EQ(back.octavesA, 12);
  EXPECT_EQ(back.persistenceB, 1);
  EXPECT_EQ(back.scaleC, 0.333333);
  EXPECT_EQ(back.combination, 3);
  EXPECT_EQ(back.shaping, 2);

  // Typed texts: out of range, negative, not a number.
  pane.setFieldText(Pane::kOctavesBField, "0");
  pane.setFieldText(Pane::kOctavesCField, "1e20");
  pane.setFieldText(Pane::kPersistenceAField, "nan");
  pane.setFieldText(Pane::kPersistenceCField, "-3");
  pane.setFieldText(Pane::kAmplitudeField, "-250");
  pane.setFieldText(Pane::kScaleBField, "inf");
  pane.setFieldText(Pane::kCombinationField, "perlincomb_AplusBplusC");
  auto s = pane.makeNewSnapshot();
  pane.updateToSnapshot(*s);
  P const& typed = paramsOf(s);
  EXPECT_EQ(typed.octavesB, 1);
  EXPECT_EQ(typed.octavesC, 12);
  EXPECT_EQ(typed.persistenceA, 0.5);
  EXPECT_EQ(typed.persistenceC, 0);
  EXPECT_EQ(typed.amplitude, 250);
  EXPECT_EQ(typed.scaleB, 0.2);
  EXPECT_EQ(typed.combination, 2);

  // Menu values a file holds outside the menus show as the first item and survive
  // a round trip; choosing another item replaces them.
  P odd;
  odd.combination = 9;
  odd.shaping = -1;
  pane.updateFromSnapshot(*withParameters(odd));
  EXPECT_EQ(pane.fieldText(Pane::kCombinationField), "perlincomb_A");
  EXPECT_EQ(pane.fieldText(Pane::kShapingField), "perlinshape_half");
  EXPECT_TRUE(roundTrip(odd) == odd);
  pane.updateFromSnapshot(*withParameters(odd));
  pane.setFieldText(Pane::kCombinationField, "perlincomb_AplusB");
  pane.setFieldText(Pane::kShapingField, "perlinshape_abs");
  auto const chosen = withParameters(odd);
  pane.updateToSnapshot(*chosen);
  EXPECT_EQ(chosen->getParameters().combination, 1);
  EXPECT_EQ(chosen->getParameters().shaping, 1);
  EXPECT_TRUE(roundTrip(P()) == P());

  ParameterizedSnapshot<OtherParameters> other;
  expectStatusZero([&] { pane.updateFromSnapshot(other); });
  expectStatusZero([&] { pane.updateToSnapshot(other); });
}

TEST_F(ParameterPanePerlinTest, DefaultSnapshot) {
  auto const s = pane.getDefaultSnapshot();
  ASSERT_EQ(s->getIdentifier(), "Perlin");
  EXPECT_EQ(s->getName(), "");
  EXPECT_TRUE(paramsOf(s) == P());
  EXPECT_TRUE(s->getCore().getView() == View(4, 3, 5, 0, false, false));
  EXPECT_EQ(s->getCore().getNorm(), 644);
  GradationInfo const& info = s->getCore().getGradationInfo();
  EXPECT_TRUE(info == GradationInfo(Gradation(), 1, 0));
  EXPECT_TRUE(info.gradation.getColor(KeyframePosition(0.0)) == k_RGBblack);
  EXPECT_TRUE(info.gradation.getColor(KeyframePosition(1.0)) == k_RGBwhite);
  EXPECT_EQ(pane.makeNewSnapshot()->getIdentifier(), "Perlin");
  auto made = ParameterPaneFactory::makeNewParameterPane("Perlin");
  EXPECT_NE(dynamic_cast<ParameterPanePerlin*>(made.get()), nullptr);
}

TEST_F(ParameterPanePerlinTest, RandomSnapshotHonoursLocks) {
  P start;
  start.octavesA = 11;
  start.persistenceA = 0.05;
  start.scaleB = 7;
  start.octavesB = 12;
  start.persistenceB = 0.1;
  start.scaleC = 9;
  start.octavesC = 10;
  start.persistenceC = 0.15;
  start.amplitude = 3;
  start.combination = 9;
  start.shaping = 7;
  auto const current = withParameters(start);
  current->getCore().setNorm(77);
  current->getCore().setGeometry(std::make_shared<GeometrySwirl>());
  current->getCore().setView(View(-3, 4, 0.01, 45, true, true));

  int const locks[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 301, 302};
  for (int lock : locks) pane.setLocked(lock, true);
  RandomUtils::seed(5);
  auto const same = pane.makeRandomSnap(current);
  EXPECT_EQ(RandomUtils::random(), AdditiveFeedbackGenerator(5).next());  // nothing drawn
  EXPECT_TRUE(paramsOf(same) == start);
  EXPECT_EQ(same->getName(), "");
  EXPECT_EQ(same->getCore().getNorm(), 77);
  EXPECT_EQ(same->getCore().getGeometry(), current->getCore().getGeometry());
  EXPECT_TRUE(same->getCore().getView() == View(4, 3, 5, 0, false, false));

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
  // Over many draws the menus' every value and nothing else.
  bool shapings[3] = {}, combinations[5] = {};
  for (int i = 0; i < 400; ++i) {
    P const p = paramsOf(pane.makeRandomSnap(current));
    ASSERT_GE(p.shaping, 0);
    ASSERT_LE(p.shaping, 2);
    ASSERT_GE(p.combination, 0);
    ASSERT_LE(p.combination, 4);
    ASSERT_GE(p.octavesB, 1);
    ASSERT_LE(p.octavesB, 8);
    shapings[p.shaping] = combinations[p.combination] = true;
  }
  for (bool seen : shapings) EXPECT_TRUE(seen);
  for (bool seen : combinations) EXPECT_TRUE(seen);

  // One lock keeps its one field.
  pane.setLocked(106, true);
  EXPECT_EQ(paramsOf(pane.makeRandomSnap(current)).scaleC, 9);

  expectStatusZero([&] { pane.makeRandomSnap(nullptr); });
  expectStatusZero([&] { pane.makeRandomSnap(std::make_shared<ParameterizedSnapshot<OtherParameters>>()); });
}

}  // namespace
}  // namespace orlenza
