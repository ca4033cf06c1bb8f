#include <gtest/gtest.h>

#include <iosfwd>
#include <memory>
#include <string>

#include "core/base/PlatformError.h"
#include "core/model/SnapshotKind.h"
#include "core/panes/GeometryPanes.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"
#include "core/panes/ParameterPaneGroup.h"

namespace orlenza {
namespace {

// A one-number generator kind, so the registry can be tried without a real one.
struct OneNumber {
  double value = 7;
  void outputParameters(std::ostream&) const {}
  void inputParameters(std::istream&) {}
  void morph(OneNumber const& a, OneNumber const&, double) { *this = a; }
  friend bool operator==(OneNumber const&, OneNumber const&) = default;
};

class OneNumberSnapshot final : public SnapshotKind<OneNumberSnapshot, OneNumber> {
 public:
  static constexpr std::string_view kIdentifier = "test_one";
  using SnapshotKind::SnapshotKind;
  OneNumberSnapshot() = default;
  OneNumberSnapshot(OneNumberSnapshot const&) = default;
};

template <int Tag>
class OneNumberPane final : public ParameterPane {
 public:
  static constexpr int kTag = Tag;
  OneNumberPane() : ParameterPane({{.labelKey = "lbl_test_value", .lockIndex = 101}}) {}
  void updateFromSnapshot(Snapshot const& s) override {
    setDoubleField(0, dynamic_cast<OneNumberSnapshot const&>(s).getParameters().value);
  }
  void updateToSnapshot(Snapshot& s) const override {
    dynamic_cast<OneNumberSnapshot&>(s).getParameters().value = doubleFieldValue(0);
  }
  std::shared_ptr<Snapshot> makeNewSnapshot() const override { return std::make_shared<OneNumberSnapshot>(); }
  std::shared_ptr<Snapshot> getDefaultSnapshot() const override {
    ++defaultsMade;
    auto s = std::make_shared<OneNumberSnapshot>();
    s->getParameters().value = Tag;
    return s;
  }
  std::shared_ptr<Snapshot> makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const override {
    return current ? current->clone() : nullptr;
  }
  static inline int defaultsMade = 0;
};

template <int Tag>
std::unique_ptr<AbstractParameterPane> makeOne() {
  return std::make_unique<OneNumberPane<Tag>>();
}

int statusOf(auto&& call) {
  try {
    call();
  } catch (PlatformError const& error) {
    return error.statusCode();
  }
  return -1;  // nothing was raised
}

TEST(ParameterPaneGroup, EachGeneratorKeepsTheSnapshotLastUsedWithIt) {
  ParameterPaneFactory::registerCreator("test_gen_a", &makeOne<10>);
  ParameterPaneFactory::registerCreator("test_gen_b", &makeOne<20>);
  ParameterPaneGroup group;
  EXPECT_EQ(group.currentPane(), nullptr);

  // First visit: the default snapshot, which the pane now remembers.
  int const defaultsBefore = OneNumberPane<10>::defaultsMade;
  auto first = group.switchToGenerator("test_gen_a");
  ASSERT_TRUE(first);
  EXPECT_EQ(dynamic_cast<OneNumberSnapshot&>(*first).getParameters().value, 10);
  EXPECT_EQ(OneNumberPane<10>::defaultsMade, defaultsBefore + 1);
  AbstractParameterPane* paneA = group.currentPane();
  EXPECT_TRUE(paneA->isShown());

  // The user draws another snapshot with it; the window associates it.
  auto drawn = std::make_shared<OneNumberSnapshot>();
  drawn->getParameters().value = -3.5;
  group.currentParameterPane()->associateSnap(drawn);

  auto b = group.switchToGenerator("test_gen_b");
  EXPECT_EQ(dynamic_cast<OneNumberSnapshot&>(*b).getParameters().value, 20);
  EXPECT_FALSE(paneA->isShown());
  EXPECT_TRUE(group.currentPane()->isShown());

  // Back again: the same pane object, the drawn snapshot, no new default.
  auto again = group.switchToGenerator("test_gen_a");
  EXPECT_EQ(again, drawn);
  EXPECT_EQ(group.currentPane(), paneA);
  EXPECT_EQ(OneNumberPane<10>::defaultsMade, defaultsBefore + 1);

  // Switching to the current pane again keeps it shown.
  group.switchToPane("test_gen_a");
  EXPECT_TRUE(paneA->isShown());

  // A failed switch changes nothing.
  EXPECT_EQ(statusOf([&] { group.switchToPane("test_unknown"); }), 0);
  EXPECT_EQ(group.currentPane(), paneA);
  EXPECT_TRUE(paneA->isShown());

  // Geometry panes live in groups too, but have no snapshot to remember.
  registerGeometryPanes();
  ParameterPaneGroup geometries;
  auto& nfold = geometries.switchToPane("geom_nfold");
  EXPECT_EQ(geometries.currentParameterPane(), nullptr);
  EXPECT_EQ(&nfold, geometries.currentPane());
  EXPECT_EQ(statusOf([&] { geometries.switchToGenerator("geom_null"); }), 0);
  EXPECT_EQ(geometries.currentPane(), &nfold);
}

}  // namespace
}  // namespace orlenza
