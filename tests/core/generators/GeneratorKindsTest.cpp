// What every generator shares, one table over all kinds: the record's text form,
// the morphs, the pane's default and locked random draw, equality's tolerance,
// cancel, foreign kinds and sizes, and the bits on any thread count. Each
// generator's own file keeps only what is its own.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/RandomUtils.h"
#include "core/engine/ImageComputator.h"
#include "core/generators/Biomorph/ImageComputatorBiomorph.h"
#include "core/generators/Curves/ImageComputatorCurves.h"
#include "core/generators/DynSys/ImageComputatorDynSys.h"
#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/generators/Grid/ImageComputatorGrid.h"
#include "core/generators/Halley/ImageComputatorHalley.h"
#include "core/generators/Mandala/ImageComputatorMandala.h"
#include "core/generators/OrbitFractal/ImageComputatorOrbitFractal.h"
#include "core/generators/Perlin/ImageComputatorPerlin.h"
#include "core/generators/PhasePlane/ImageComputatorPhasePlane.h"
#include "core/generators/Quot/ImageComputatorQuot.h"
#include "core/generators/Sines/ImageComputatorItSines.h"
#include "core/model/SnapshotFactory.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {
namespace {

using namespace gen_test;

using ComputeOn = void (*)(std::string const&, Snapshot const&, int, int, RawField&, ComputationNotifier&, unsigned);

template <class Computator>
void computeOn(std::string const& kind, Snapshot const& s, int w, int h, RawField& field, ComputationNotifier& n,
               unsigned threads) {
  dynamic_cast<Computator&>(*AbstractImageComputator::getComputatorFromID(kind)).computeImage(s, w, h, field, n,
                                                                                              threads);
}

struct Kind {
  char const* identifier;
  ComputeOn compute;
  bool rowsAreSteps;        // one progress step per picture row
  bool morphReachesTheEnd;  // at t = 1 the morph is the target, its choices too
};

Kind const kKinds[] = {
    {"Biomorph", computeOn<ImageComputatorBiomorph>, true, true},
    {"Curves", computeOn<ImageComputatorCurves>, false, true},
    {"DynSys-Gumowski", computeOn<ImageComputatorDynSys>, false, true},
    {"DynSys-Hopalong", computeOn<ImageComputatorDynSys>, false, true},
    {"DynSys-Sin23", computeOn<ImageComputatorDynSys>, false, true},
    {"DynSys-SinCos", computeOn<ImageComputatorDynSys>, false, true},
    {"DynSys-SinSin", computeOn<ImageComputatorDynSys>, false, true},
    {"DynSys-SinXY", computeOn<ImageComputatorDynSys>, false, true},
    {"DynSys-Sqrt", computeOn<ImageComputatorDynSys>, false, true},
    {"DynFractal", computeOn<ImageComputatorDynFractal>, true, false},
    {"EscParams", computeOn<ImageComputatorEscapeParams>, true, false},
    {"Grid", computeOn<ImageComputatorGrid>, true, true},
    {"GumFractal", computeOn<ImageComputatorGumFractal>, true, false},
    {"Halley", computeOn<ImageComputatorHalley>, true, false},
    {"ItSines", computeOn<ImageComputatorItSines>, true, true},
    {"Mandal", computeOn<ImageComputatorMandala>, true, true},
    {"Perlin", computeOn<ImageComputatorPerlin>, true, true},
    {"PhasePlane-sinprod", computeOn<ImageComputatorPhasePlane>, false, true},
    {"PhasePlane-tan", computeOn<ImageComputatorPhasePlane>, false, true},
    {"PhasePlane-xsin", computeOn<ImageComputatorPhasePlane>, false, true},
    {"Quot", computeOn<ImageComputatorQuot>, true, true},
};

// The parameter block of a record: what follows the core's closing double blank, less the name.
std::string parametersOf(Snapshot const& s) {
  std::ostringstream os;
  s.outputParameters(os);
  return os.str();
}

class GeneratorKindsTest : public CoreTest {
 protected:
  std::unique_ptr<ParameterPane> paneOf(Kind const& k) {
    auto pane = ParameterPaneFactory::makeNewParameterPane(k.identifier);
    EXPECT_NE(pane, nullptr) << k.identifier;
    return pane;
  }
  // A drawn snapshot of the kind, different from its default.
  std::shared_ptr<Snapshot> drawn(ParameterPane& pane, std::uint32_t seed) {
    RandomUtils::seed(seed);
    return pane.makeRandomSnap(pane.getDefaultSnapshot());
  }
};

TEST_F(GeneratorKindsTest, EveryCatalogueKindIsInTheTableAndRegisteredThroughout) {
  std::vector<std::string> listed;
  for (auto const& k : kKinds) listed.push_back(k.identifier);
  std::vector<std::string> catalogue = GeneratorCatalogue::getNames();
  std::sort(catalogue.begin(), catalogue.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(catalogue, listed);
  for (auto const& k : kKinds) {
    auto const pane = paneOf(k);
    ASSERT_NE(pane, nullptr);
    auto const made = SnapshotFactory::makeNewSnapshot(k.identifier, 3);
    auto const def = pane->getDefaultSnapshot();
    ASSERT_NE(made, nullptr) << k.identifier;
    Snapshot const &m = *made, &d = *def;
    EXPECT_EQ(typeid(m), typeid(d)) << k.identifier;
    EXPECT_EQ(def->getIdentifier(), k.identifier);
    auto* computator = AbstractImageComputator::getComputatorFromID(k.identifier);
    ASSERT_NE(computator, nullptr) << k.identifier;
    EXPECT_EQ(computator->getIdentifier(), k.identifier);
    expectLabelsLocalized(pane->fields());
  }
}

TEST_F(GeneratorKindsTest, RecordsReadBackEqualAndACutBlockIsRefused) {
  for (auto const& k : kKinds) {
    auto const pane = paneOf(k);
    auto const def = pane->getDefaultSnapshot();
    for (auto const& s : {def, drawn(*pane, 11)}) {
      std::string const text = recordOf(*s);
      auto const back = readRecord(text);
      ASSERT_NE(back, nullptr) << text;
      // Twelve digits are written: the drawn values compare equal from the first read on.
      if (s == def) {
        EXPECT_TRUE(back->isEqual(*s)) << text;
      }
      EXPECT_TRUE(readRecord(recordOf(*back))->isEqual(*back)) << text;
      EXPECT_EQ(recordOf(*back), text);
      // The core ends in a double blank; without its parameter block the record is bad.
      EXPECT_EQ(readRecord(text.substr(0, text.find("  ") + 2)), nullptr) << k.identifier;
    }
  }
}

TEST_F(GeneratorKindsTest, MorphsReachBothEndsStayWithinToleranceAndCopyAcrossKinds) {
  for (auto const& k : kKinds) {
    auto const pane = paneOf(k);
    auto const a = pane->getDefaultSnapshot();
    auto const b = drawn(*pane, 3);
    ASSERT_FALSE(a->isEqual(*b)) << k.identifier;
    EXPECT_TRUE(a->morphTowards(b, 0)->isEqual(*a)) << k.identifier;
    auto const end = a->morphTowards(b, 1);
    EXPECT_EQ(end->getName(), "");
    // Some kinds keep the first snapshot's choices (analyzer, test) along the morph.
    if (k.morphReachesTheEnd) {
      EXPECT_TRUE(end->isEqual(*b)) << k.identifier;
    }
    // Halfway is neither end.
    EXPECT_FALSE(a->morphTowards(b, 0.5)->isEqual(*a)) << k.identifier;
    EXPECT_FALSE(a->morphTowards(b, 0.5)->isEqual(*b)) << k.identifier;
    expectForeignMorphCopies(a);
    EXPECT_TRUE(a->morphTowards(nullptr, 0.5, b->getCore())->isEqual(*a)) << k.identifier;
  }
}

TEST_F(GeneratorKindsTest, PanesShowWhatTheyWriteAndLockedDrawsKeepEverything) {
  for (auto const& k : kKinds) {
    auto const pane = paneOf(k);
    auto const other = drawn(*pane, 5);
    pane->updateFromSnapshot(*other);
    auto const written = pane->makeNewSnapshot();
    pane->updateToSnapshot(*written);
    EXPECT_EQ(written->getIdentifier(), k.identifier);
    // Shown with ten digits, what was written back shows and writes the same once more.
    auto const again = pane->makeNewSnapshot();
    pane->updateFromSnapshot(*written);
    pane->updateToSnapshot(*again);
    EXPECT_EQ(parametersOf(*again), parametersOf(*written)) << k.identifier;

    giveBusyCore(*other);
    other->setName("kept?");
    // The view is the one every draw of the kind starts from, whatever the start showed.
    View const view = drawn(*pane, 9)->getCore().getView();
    for (auto const& f : pane->fields())
      if (f.lockIndex != 0) pane->setLocked(f.lockIndex, true);
    auto const same = lockedRandomSnap(*pane, other, view);
    EXPECT_EQ(parametersOf(*same), parametersOf(*other)) << k.identifier;
    expectForeignRefused(*pane);

    // Unlocked, a seed gives the same snapshot each time and another seed another one.
    for (auto const& f : pane->fields())
      if (f.lockIndex != 0) pane->setLocked(f.lockIndex, false);
    EXPECT_EQ(recordOf(*drawn(*pane, 9)), recordOf(*drawn(*pane, 9))) << k.identifier;
    EXPECT_NE(parametersOf(*drawn(*pane, 9)), parametersOf(*drawn(*pane, 10))) << k.identifier;
  }
}

TEST_F(GeneratorKindsTest, CancelForeignKindsSizesAndThreadsChangeNoBit) {
  for (auto const& k : kKinds) {
    auto const pane = paneOf(k);
    std::string const id = k.identifier;
    auto const s = drawn(*pane, 21);
    s->getCore().setView(pane->getDefaultSnapshot()->getCore().getView());

    RawField one(24, 16), many(24, 16);
    one.fill(-7);
    many.fill(-8);
    CountingNotifier a, b;
    k.compute(id, *s, 24, 16, one, a, 1);
    k.compute(id, *s, 24, 16, many, b, 4);
    EXPECT_EQ(std::memcmp(one.data(), many.data(), one.cellCount() * sizeof(double)), 0) << id;
    EXPECT_EQ(a.totals.size(), 1u) << id;
    EXPECT_EQ(a.steps, a.totals.at(0)) << id;
    EXPECT_EQ(b.steps, a.steps) << id;
    if (k.rowsAreSteps) {
      EXPECT_EQ(a.steps, 16) << id;
    }

    // Canceled at the first step: it returns at once; the rows not reached stay as they were.
    RawField field(24, 16);
    field.fill(-1);
    CountingNotifier cancel(1);
    k.compute(id, *s, 24, 16, field, cancel, 1);
    EXPECT_EQ(cancel.steps, 1) << id;
    for (int x = 0; x < 24 && k.rowsAreSteps; ++x)
      for (int y = 1; y < 16; ++y) ASSERT_EQ(field[x][y], -1) << id << " " << x << "," << y;

    CountingNotifier notifier;
    EXPECT_THROW(k.compute(id, ForeignSnapshot(), 4, 4, field, notifier, 1), std::bad_cast) << id;
    // Asked for more than the field holds, it fills the field and no more.
    RawField small(4, 4);
    small.fill(-1);
    k.compute(id, *s, 100, 100, small, notifier, 2);
    RawField exact(4, 4);
    exact.fill(-1);
    k.compute(id, *s, 4, 4, exact, notifier, 1);
    EXPECT_EQ(std::memcmp(small.data(), exact.data(), small.cellCount() * sizeof(double)), 0) << id;
  }
}

}  // namespace
}  // namespace orlenza
