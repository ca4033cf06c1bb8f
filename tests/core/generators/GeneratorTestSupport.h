#pragma once
// Helpers shared by the generator tests.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iosfwd>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/base/StringTable.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawField.h"
#include "core/geometry/GeometryDisk.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/Snapshot.h"
#include "core/model/SnapshotKind.h"
#include "core/panes/PaneField.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza::gen_test {

// Records each initialize() and counts steps from there; answers canceled
// from cancelAfter steps on, and counts how often it was asked.
class CountingNotifier : public ComputationNotifier {
 public:
  explicit CountingNotifier(long cancelAfter = -1) : m_cancelAfter(cancelAfter) {}
  void initialize(long total) override {
    totals.push_back(total);
    steps = 0;
  }
  void iterate() override { ++steps; }
  bool areWeCanceled() const override {
    ++asked;
    return m_cancelAfter >= 0 && steps >= m_cancelAfter;
  }
  std::vector<long> totals;
  long steps = 0;
  mutable long asked = 0;

 private:
  long m_cancelAfter;
};

// A fixture with every core family registered once for its suite.
class CoreTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }
};

// A kind no generator knows, to hand panes, computators and morphs something foreign.
struct ForeignParameters {
  static constexpr std::string_view kSnapshotIdentifier = "TestForeignKind";
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  void morph(ForeignParameters const&, ForeignParameters const&, double) {}
  friend bool operator==(ForeignParameters const&, ForeignParameters const&) = default;
};
using ForeignSnapshot = ParameterizedSnapshot<ForeignParameters>;

// Every field's label is in the string table.
inline void expectLabelsLocalized(std::vector<PaneField> const& fields) {
  for (auto const& f : fields) EXPECT_NE(localized(f.labelKey), std::string(f.labelKey)) << f.labelKey;
}

// The registered pane of a kind, as its own class; null when it is another.
template <class Pane>
std::unique_ptr<Pane> paneFor(std::string const& identifier) {
  auto pane = ParameterPaneFactory::makeNewParameterPane(identifier);
  auto* own = dynamic_cast<Pane*>(pane.get());
  if (own == nullptr) return nullptr;
  pane.release();
  return std::unique_ptr<Pane>(own);
}

// A parameter block's text form.
template <class P>
std::string textOf(P const& p) {
  std::ostringstream os;
  p.outputParameters(os);
  return os.str();
}

// A snapshot's whole record, and a record read back (null when it is refused).
inline std::string recordOf(Snapshot const& s) {
  std::ostringstream os;
  os << s;
  return os.str();
}
inline std::shared_ptr<Snapshot> readRecord(std::string const& text, int version = 3) {
  std::istringstream is(text);
  return readSnapshotRecord(is, version);
}

// Towards a foreign kind a snapshot morphs into an unchanged copy of itself,
// at any t; the two kinds never compare equal.
inline void expectForeignMorphCopies(std::shared_ptr<Snapshot> const& a) {
  SnapshotCore core;
  core.setNorm(12345);
  auto const other = std::make_shared<ForeignSnapshot>("o", core, ForeignParameters());
  for (double t : {0.0, 0.5, 1.0}) {
    auto const copy = a->morphTowards(other, t);
    EXPECT_NE(copy, a);
    Snapshot const &copied = *copy, &start = *a;
    EXPECT_EQ(typeid(copied), typeid(start));
    EXPECT_EQ(copy->getName(), a->getName());
    EXPECT_EQ(copy->getCore().getNorm(), a->getCore().getNorm());
    EXPECT_TRUE(copy->isEqual(*a)) << t;
  }
  EXPECT_FALSE(a->isEqual(*other));
  EXPECT_FALSE(other->isEqual(*a));
}

// A draw of the shared generator turned into a value by hand.
inline double doubleDraw(std::uint32_t r, double a, double b) { return a + (r / 2147483647.0) * (b - a); }

// The raw draws of a generator seeded like the shared one, turned into values by hand.
struct Draws {
  explicit Draws(std::uint32_t seed) : generator(seed) {}
  double real(double a, double b) { return doubleDraw(generator.next(), a, b); }
  int integer(int lo, int hi) { return RandomUtils::intFromDraw(generator.next(), lo, hi); }
  AdditiveFeedbackGenerator generator;
};

inline void expectStatusZero(std::function<void()> const& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (PlatformError const& e) {
    EXPECT_EQ(e.statusCode(), 0);
  }
}

// The result of make(), which must draw nothing from the shared generator.
template <class Make>
auto withoutDraws(Make const& make) {
  RandomUtils::seed(5);
  auto result = make();
  EXPECT_EQ(RandomUtils::random(), AdditiveFeedbackGenerator(5).next()) << "a number was drawn";
  return result;
}

// The call throws std::out_of_range with this message.
inline void expectRangeError(std::function<void()> const& call, char const* message) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (std::out_of_range const& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

// The sum of the first w x h cells (the whole field when w or h is negative).
inline double sumOf(RawField const& field, int w = -1, int h = -1) {
  if (w < 0 || h < 0) {
    w = field.width();
    h = field.height();
  }
  double sum = 0;
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) sum += field[x][y];
  return sum;
}

// Computes s at w x h into one on one thread and again on four: the same bits,
// one step per row each time.
template <class Computator>
void expectSameOnAnyThreadCount(Computator& computator, Snapshot const& s, int w, int h, RawField& one) {
  RawField many(w, h);
  one.fill(-7);
  many.fill(-8);
  CountingNotifier a, b;
  computator.computeImage(s, w, h, one, a, 1);
  computator.computeImage(s, w, h, many, b, 4);
  EXPECT_EQ(std::memcmp(one.data(), many.data(), one.cellCount() * sizeof(double)), 0);
  EXPECT_EQ(a.steps, h);
  EXPECT_EQ(b.steps, h);
}

// A norm and geometry a random snapshot keeps, and a view it resets.
inline void giveBusyCore(Snapshot& s) {
  s.getCore().setNorm(77);
  s.getCore().setGeometry(std::make_shared<GeometrySwirl>());
  s.getCore().setView(View(3, 4, 0.01, 45, true, true));
}

// A random snapshot with every lock set: nothing drawn, the name cleared, norm
// and geometry kept, the view reset to `view`.
template <class Pane>
std::shared_ptr<Snapshot> lockedRandomSnap(Pane& pane, std::shared_ptr<Snapshot> const& current, View const& view) {
  auto const same = withoutDraws([&] { return pane.makeRandomSnap(current); });
  EXPECT_EQ(same->getName(), "");
  EXPECT_EQ(same->getCore().getNorm(), current->getCore().getNorm());
  EXPECT_EQ(same->getCore().getGeometry(), current->getCore().getGeometry());
  EXPECT_TRUE(same->getCore().getView() == view);
  return same;
}

// A foreign snapshot, both ways, and a missing one for a random draw, are refused with status 0.
template <class Pane>
void expectForeignRefused(Pane& pane) {
  ForeignSnapshot other;
  expectStatusZero([&] { pane.updateFromSnapshot(other); });
  expectStatusZero([&] { pane.updateToSnapshot(other); });
  expectStatusZero([&] { pane.makeRandomSnap(nullptr); });
  expectStatusZero([&] { pane.makeRandomSnap(std::make_shared<ForeignSnapshot>()); });
}

// No plane point (the disk's centre) or one past the largest double gives a NaN
// pixel; a pixel off the disk's centre is a number. at(view) makes the snapshot.
template <class Computator, class At>
void expectNaNWithoutAPlanePoint(Computator& computator, At const& at) {
  auto disk = at(View(0, 0, 2, 0, false, false));
  disk.getCore().setGeometry(std::make_shared<GeometryDisk>());
  RawField diskField(101, 67);
  CountingNotifier notifier;
  computator.computeImage(disk, 101, 67, diskField, notifier, 1);
  EXPECT_TRUE(std::isnan(diskField[50][33]));
  EXPECT_FALSE(std::isnan(diskField[10][10]));
  RawField huge(11, 11);
  computator.computeImage(at(View(1.7e308, 0, 5e307, 0, false, false)), 11, 11, huge, notifier, 1);
  EXPECT_TRUE(std::isnan(huge[10][5]));
}

struct Sample {
  int x, y;
  double value;
};

// The w x h picture of s, computed one step per row, holds each sample to 1e-9 relative.
template <class Computator>
void expectSamples(Computator& computator, Snapshot const& s, int w, int h, std::vector<Sample> const& samples) {
  RawField field(w, h);
  CountingNotifier notifier;
  computator.computeImage(s, w, h, field, notifier, 1);
  EXPECT_EQ(notifier.totals, std::vector<long>{h});
  EXPECT_EQ(notifier.steps, h);
  for (auto const& p : samples)
    EXPECT_NEAR(field[p.x][p.y], p.value, 1e-9 * std::fabs(p.value)) << p.x << "," << p.y;
}

// A parameter block read from text over `p`; the stream must not fail.
template <class P>
P readText(std::string const& text, P p = P()) {
  std::istringstream is(text);
  p.inputParameters(is);
  EXPECT_FALSE(is.fail()) << text;
  return p;
}

// Each text fails the stream and leaves the block read into as it was.
template <class P>
void expectBadTextsKeep(P const& held, std::vector<std::string> const& texts) {
  for (auto const& text : texts) {
    P p = held;
    std::istringstream is(text);
    p.inputParameters(is);
    EXPECT_TRUE(is.fail()) << text;
    EXPECT_EQ(textOf(p), textOf(held)) << text;
  }
}

}  // namespace orlenza::gen_test
