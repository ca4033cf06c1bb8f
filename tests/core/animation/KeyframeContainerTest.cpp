#include "core/animation/KeyframeContainer.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string_view>
#include <typeinfo>

#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/generators/SnapshotKinds.h"
#include "core/geometry/GeometryFactory.h"
#include "core/model/SnapshotFactory.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

// A second kind, to morph across kinds.
struct LevelParameters {
  static constexpr std::string_view kSnapshotIdentifier = "TestLevel";
  double level = 0.0;
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  void morph(LevelParameters const& a, LevelParameters const& b, double t) { level = (1 - t) * a.level + t * b.level; }
  friend bool operator==(LevelParameters const&, LevelParameters const&) = default;
};

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class KeyframeContainerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerAllGeometries();
    registerAllSnapshotKinds();
  }

  // An "EscParams" snapshot whose first coefficient and view centre x are given.
  static std::shared_ptr<Snapshot> esc(double a0, double centerX = 0.0) {
    auto snap = SnapshotFactory::makeNewSnapshot("EscParams", 0);
    auto& escape = dynamic_cast<SnapshotEscapeParams&>(*snap);
    escape.getParameters().coefficients[0] = a0;
    escape.getCore().setView(View(centerX, 0.0, 1.0, 0.0, false, false));
    return snap;
  }

  static double a0Of(std::shared_ptr<Snapshot> const& snap) {
    auto const* escape = dynamic_cast<SnapshotEscapeParams const*>(snap.get());
    EXPECT_NE(escape, nullptr);
    return escape ? escape->getParameters().coefficients[0] : kNaN;
  }

  static std::int32_t stepsOf(KeyframeContainer const& c, std::shared_ptr<Snapshot> const& snap) {
    auto const it = c.findSnapshot(snap);
    return it == c.end() ? -2 : it->first.getSteps();
  }
};

TEST_F(KeyframeContainerTest, AddClampsAndRefusesDuplicatesOfPositionOrObject) {
  KeyframeContainer c;
  auto const a = esc(1);
  auto const b = esc(2);
  auto const high = esc(3);
  auto const low = esc(4);

  EXPECT_TRUE(c.addKeyframe(a, 0.33333f));
  EXPECT_EQ(stepsOf(c, a), 3333);
  // Same 1/10000 step: refused, the first keyframe stays.
  EXPECT_FALSE(c.addKeyframe(b, 0.33334f));
  // The same object elsewhere: refused.
  EXPECT_FALSE(c.addKeyframe(a, 0.5f));
  EXPECT_TRUE(c.addKeyframe(high, 1.7f));
  EXPECT_EQ(stepsOf(c, high), 10000);
  EXPECT_TRUE(c.addKeyframe(low, -0.3f));
  EXPECT_EQ(stepsOf(c, low), 0);
  // An equal copy is another object, so it is welcome.
  auto const twin = a->clone();
  ASSERT_TRUE(twin->isEqual(*a));
  EXPECT_TRUE(c.addKeyframe(twin, 0.5f));
  EXPECT_EQ(c.size(), 4u);

  struct Refused {
    char const* what;
    std::shared_ptr<Snapshot> snap;
    float pos;
  };
  Refused const refused[] = {
      {"NaN", b, kNaN},
      {"+inf clamps onto the keyframe at 1", b, kInf},
      {"null snapshot", nullptr, 0.75f},
  };
  for (auto const& r : refused) {
    EXPECT_FALSE(c.addKeyframe(r.snap, r.pos)) << r.what;
    EXPECT_EQ(c.size(), 4u) << r.what;
    EXPECT_EQ(c.findSnapshot(b), c.end()) << r.what;
  }
  KeyframeContainer ends;
  EXPECT_TRUE(ends.addKeyframe(a, kInf));
  EXPECT_TRUE(ends.addKeyframe(b, -kInf));
  EXPECT_EQ(stepsOf(ends, a), 10000);
  EXPECT_EQ(stepsOf(ends, b), 0);
}

TEST_F(KeyframeContainerTest, ReplaceRemoveMoveAndClearWorkOnObjects) {
  KeyframeContainer c;
  auto const a = esc(1);
  auto const b = esc(2);
  auto const d = esc(3);
  ASSERT_TRUE(c.addKeyframe(a, 0.0f));
  ASSERT_TRUE(c.addKeyframe(b, 0.5f));
  KeyframePosition const at0(0.0), at25(0.25), at50(0.5), at100(1.0);

  // Replacing where nothing stands, with null, or with an object held elsewhere changes nothing.
  c.replaceKeyframe(at25, d);
  c.replaceKeyframe(at0, nullptr);
  c.replaceKeyframe(at0, b);
  c.replaceKeyframe(KeyframePosition(), d);
  c.replaceKeyframe(at50, b);  // itself: stays
  EXPECT_EQ(c.size(), 2u);
  EXPECT_EQ(c.getSnapshot(0.0f), a);
  EXPECT_EQ(c.getSnapshot(0.5f), b);
  c.replaceKeyframe(at0, d);
  EXPECT_EQ(c.getSnapshot(0.0f), d);
  EXPECT_EQ(c.findSnapshot(a), c.end());

  // Removal is by identity: an equal copy removes nothing.
  c.removeKeyframe(b->clone());
  c.removeKeyframe(nullptr);
  c.removeKeyframe(a);
  EXPECT_EQ(c.size(), 2u);
  c.removeKeyframe(b);
  EXPECT_EQ(c.size(), 1u);
  EXPECT_FALSE(c.containsKeyframeAt(0.5f));

  // Moves: from an empty place or to the invalid position nothing happens;
  // onto an occupied place the keyframe there is replaced.
  ASSERT_TRUE(c.addKeyframe(b, 1.0f));
  c.moveKeyframe(at25, at50);
  c.moveKeyframe(at0, KeyframePosition());
  EXPECT_EQ(stepsOf(c, d), 0);
  EXPECT_EQ(c.size(), 2u);
  c.moveKeyframe(at0, at25);
  EXPECT_EQ(stepsOf(c, d), 2500);
  EXPECT_FALSE(c.containsKeyframeAt(0.0f));
  c.moveKeyframe(at25, at100);
  EXPECT_EQ(c.size(), 1u);
  EXPECT_EQ(c.getSnapshot(1.0f), d);
  EXPECT_EQ(c.findSnapshot(b), c.end());

}

TEST_F(KeyframeContainerTest, ContainsKeyframeAtComparesSteps) {
  KeyframeContainer c;
  ASSERT_TRUE(c.addKeyframe(esc(0), 0.0f));
  ASSERT_TRUE(c.addKeyframe(esc(1), 0.4f));
  ASSERT_TRUE(c.addKeyframe(esc(2), 1.0f));
  struct Case {
    float pos;
    bool held;
  };
  Case const cases[] = {{-0.0f, true},  {0.00009f, true}, {0.0001f, false}, {0.40009f, true},
                        {0.3999f, false}, {1.0f, true},   {1.5f, false},    {kNaN, false}};
  for (auto const& k : cases) EXPECT_EQ(c.containsKeyframeAt(k.pos), k.held) << k.pos;
}

TEST_F(KeyframeContainerTest, KeyframesAnswerTheStoredObjectsAndTimesBetweenAMorph) {
  KeyframeContainer c;
  auto const first = esc(-1.2, 0.0);
  auto const last = esc(0.8, 2.0);
  ASSERT_TRUE(c.addKeyframe(first, 0.0f));
  ASSERT_TRUE(c.addKeyframe(last, 1.0f));

  EXPECT_EQ(c.getSnapshot(0.0f), first);
  EXPECT_EQ(c.getSnapshot(0.00009f), first);  // still step 0
  EXPECT_EQ(c.getSnapshot(1.0f), last);

  // 0.75 * -1.2 + 0.25 * 0.8 and 0.75 * 0 + 0.25 * 2.
  for (float t : {0.25f, 0.25004f}) {
    auto const m = c.getSnapshot(t);
    ASSERT_NE(m, nullptr);
    EXPECT_NE(m, first);
    EXPECT_NE(m, last);
    EXPECT_EQ(typeid(*m), typeid(SnapshotEscapeParams));
    EXPECT_DOUBLE_EQ(a0Of(m), -0.7) << t;
    EXPECT_DOUBLE_EQ(m->getCore().getView().getCenterX(), 0.5) << t;
  }
  // Quantized: both times are the same step, so exactly the same morph.
  EXPECT_EQ(a0Of(c.getSnapshot(0.25f)), a0Of(c.getSnapshot(0.25009f)));
  // 0.2501f times 10000 is 2500.9998 in float, so it is still step 2500.
  EXPECT_EQ(a0Of(c.getSnapshot(0.25f)), a0Of(c.getSnapshot(0.2501f)));
  EXPECT_NE(a0Of(c.getSnapshot(0.25f)), a0Of(c.getSnapshot(0.2502f)));

  // Three keys: 0.75 lies halfway from the middle one to the last.
  auto const middle = esc(1.0, 10.0);
  ASSERT_TRUE(c.addKeyframe(middle, 0.5f));
  auto const m = c.getSnapshot(0.75f);
  EXPECT_DOUBLE_EQ(a0Of(m), 0.9);
  EXPECT_DOUBLE_EQ(m->getCore().getView().getCenterX(), 6.0);
  EXPECT_EQ(c.getSnapshot(0.50009f), middle);
  EXPECT_DOUBLE_EQ(a0Of(c.getSnapshot(0.25f)), -0.1);
}

TEST_F(KeyframeContainerTest, FractionTakesItsDifferencesInSinglePrecision) {
  // With a0 going from 0 to 1 the morphed a0 is the fraction itself. The
  // expected values are (x - p) / (n - p) with both differences rounded to
  // float; exact or double differences would give 0.5 or 0.4999999813...
  struct Case {
    float p, n, t;
    double fraction;
  };
  Case const cases[] = {
      {0.1f, 0.3f, 0.2f, 0.49999996274710035},
      {0.01f, 1.0f, 0.4321f, 0.4263636398665723},
      {0.1234f, 0.8765f, 0.5555f, 0.5736289863918432},  // 0.5555f truncates to step 5554
      {0.3333f, 0.6667f, 0.5f, 0.5},
  };
  for (auto const& k : cases) {
    KeyframeContainer c;
    ASSERT_TRUE(c.addKeyframe(esc(0.0), k.p));
    ASSERT_TRUE(c.addKeyframe(esc(1.0), k.n));
    EXPECT_EQ(a0Of(c.getSnapshot(k.t)), k.fraction) << k.p << " " << k.n << " " << k.t;
  }
}

TEST_F(KeyframeContainerTest, OutsideTheKeyframesTheNearestKeyframeItself) {
  KeyframeContainer c;
  EXPECT_EQ(c.getSnapshot(0.5f), nullptr);

  auto const only = esc(5);
  ASSERT_TRUE(c.addKeyframe(only, 0.5f));
  for (float t : {0.0f, 0.4999f, 1.0f, -3.0f, kInf}) EXPECT_EQ(c.getSnapshot(t), only) << t;

  auto const early = esc(1);
  auto const late = esc(2);
  c.clear();
  ASSERT_TRUE(c.addKeyframe(early, 0.2f));
  ASSERT_TRUE(c.addKeyframe(late, 0.8f));
  struct Case {
    float t;
    std::shared_ptr<Snapshot> answer;
  };
  Case const cases[] = {{0.1999f, early}, {-1e-30f, early}, {-kInf, early},
                        {0.8001f, late},  {1.0000001f, late}, {kInf, late}};
  for (auto const& k : cases) EXPECT_EQ(c.getSnapshot(k.t), k.answer) << k.t;
  EXPECT_EQ(c.getSnapshot(kNaN), nullptr);
  EXPECT_EQ(c.getSnapshot(-kNaN), nullptr);
}

TEST_F(KeyframeContainerTest, AcrossKindsTheEarlierKeyframeHolds) {
  using SnapshotLevel = ParameterizedSnapshot<LevelParameters>;
  KeyframeContainer c;
  auto const escape = esc(0.5, 1.0);
  SnapshotCore farCore;
  farCore.setView(View(9.0, 9.0, 4.0, 0.0, false, false));
  auto const level = std::make_shared<SnapshotLevel>("level", farCore, LevelParameters{7.0});
  ASSERT_TRUE(c.addKeyframe(escape, 0.0f));
  ASSERT_TRUE(c.addKeyframe(level, 1.0f));

  for (float t : {0.0001f, 0.9999f}) {
    auto const m = c.getSnapshot(t);
    ASSERT_NE(m, nullptr);
    EXPECT_NE(m, escape) << t;
    EXPECT_EQ(typeid(*m), typeid(SnapshotEscapeParams)) << t;
    EXPECT_TRUE(m->isEqual(*escape)) << t;  // core not morphed
    EXPECT_EQ(m->getCore().getView().getCenterX(), 1.0) << t;
  }
  EXPECT_EQ(c.getSnapshot(1.0f), level);

  // The other way round the level keyframe holds.
  KeyframeContainer back;
  ASSERT_TRUE(back.addKeyframe(level, 0.0f));
  ASSERT_TRUE(back.addKeyframe(escape, 1.0f));
  auto const m = back.getSnapshot(0.5f);
  EXPECT_EQ(typeid(*m), typeid(SnapshotLevel));
  EXPECT_EQ(dynamic_cast<SnapshotLevel const&>(*m).getParameters().level, 7.0);
  EXPECT_EQ(m->getCore().getView().getCenterX(), 9.0);
}

}  // namespace
}  // namespace orlenza
