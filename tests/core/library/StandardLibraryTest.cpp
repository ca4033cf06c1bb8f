#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "core/base/StringTable.h"
#include "core/files/AlertSink.h"
#include "core/files/GradationFile.h"
#include "core/files/SnapshotFile.h"
#include "core/library/EmbeddedResources.h"
#include "core/library/StandardGradations.h"
#include "core/library/StandardSnapshots.h"

namespace orlenza {
namespace {

// A built-in file with a bad line would lose every record after it without
// anyone noticing, and a name without a text would show its key.
TEST(StandardLibraryTest, EveryBuiltInFileReadsWithoutAlertAndEveryNameHasAText) {
  StandardSnapshots::getSnapshots();  // registers the snapshot kinds
  for (auto const& name : listEmbeddedResources("snaps")) {
    RecordingAlertSink alerts;
    auto const file = SnapshotFile::fromContents(*findEmbeddedResource("snaps/" + name), alerts);
    EXPECT_TRUE(alerts.empty()) << name << ": " << alerts.alerts().at(0).mainKey;
    for (auto const& record : file.records()) {
      ASSERT_TRUE(record) << name;
      EXPECT_NE(localized(record->getName()), record->getName()) << name << ": " << record->getName();
    }
  }
  for (auto const& name : listEmbeddedResources("grads")) {
    RecordingAlertSink alerts;
    auto const file = GradationFile::fromContents(*findEmbeddedResource("grads/" + name), alerts);
    EXPECT_TRUE(alerts.empty()) << name;
    EXPECT_FALSE(file.records().empty()) << name;
  }
}

TEST(StandardLibraryTest, SnapshotCategoriesAndIndicesOutsideThem) {
  auto const& keys = StandardSnapshots::getCategoryKeys();
  ASSERT_EQ(keys, (std::vector<std::string>{"EscParams", "Halley", "Biomorph", "categ_phaseplane"}));
  EXPECT_EQ(StandardSnapshots::getResourceName("Biomorph"), "CFeedback");
  EXPECT_EQ(StandardSnapshots::getResourceName("Nope"), "");
  for (auto const& key : keys) EXPECT_GE(StandardSnapshots::getNumSnapshots(key), 8) << key;
  // Biomorph pictures are of their kind and carry their table names, not the keys.
  for (int i = 0, n = StandardSnapshots::getNumSnapshots("Biomorph"); i < n; ++i) {
    auto const biomorph = StandardSnapshots::getSnapshot("Biomorph", i);
    EXPECT_EQ(biomorph->getIdentifier(), "Biomorph") << i;
    EXPECT_EQ(biomorph->getName().rfind("Biomorph ", 0), std::string::npos) << biomorph->getName();
  }
  EXPECT_EQ(StandardSnapshots::getSnapshot("Biomorph", 0)->getName(), "Paper radiolarian");
  for (int i = 0, phase = StandardSnapshots::getNumSnapshots("categ_phaseplane"); i < phase; ++i)
    EXPECT_EQ(StandardSnapshots::getSnapshot("categ_phaseplane", i)->getIdentifier().rfind("PhasePlane-", 0), 0u) << i;
  EXPECT_EQ(StandardSnapshots::getNumSnapshots("Nope"), 0);

  // The start-up picture, and copies that the caller may change freely.
  auto const first = StandardSnapshots::getSnapshot("EscParams", 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->getIdentifier(), "EscParams");
  EXPECT_EQ(first->getName(), "Golden starfish");
  first->setName("changed");
  EXPECT_EQ(StandardSnapshots::getSnapshot("EscParams", 0)->getName(), "Golden starfish");

  int const n = StandardSnapshots::getNumSnapshots("Halley");
  EXPECT_TRUE(StandardSnapshots::findSnapshot("Halley", n - 1));
  for (int bad : {-1, n, 1 << 30}) {
    EXPECT_FALSE(StandardSnapshots::findSnapshot("Halley", bad)) << bad;
    EXPECT_THROW(StandardSnapshots::getSnapshot("Halley", bad), std::out_of_range) << bad;
  }
  EXPECT_FALSE(StandardSnapshots::findSnapshot("Nope", 0));
}

TEST(StandardLibraryTest, GradationCategoriesAreFullAndStaleIndicesAreSafe) {
  std::set<std::string> names;
  for (auto const& name : StandardGradations::getCategoryNames()) names.insert(name);
  EXPECT_EQ(names.size(), StandardGradations::k_numCategories);
  for (unsigned c = 0; c < StandardGradations::k_numCategories; ++c) {
    int const n = StandardGradations::getNumGradations(c);
    EXPECT_GT(n, 0) << StandardGradations::getCategoryKey(c);
    EXPECT_TRUE(StandardGradations::getGradation(c, static_cast<unsigned>(n - 1)));
    EXPECT_FALSE(StandardGradations::getGradation(c, static_cast<unsigned>(n)));
  }
  EXPECT_EQ(StandardGradations::getNumGradations(0), 29);
  // A category beyond the list answers the first one.
  EXPECT_EQ(StandardGradations::getCategoryKey(8), "categ_classic");
  EXPECT_EQ(StandardGradations::getGradation(99, 0), StandardGradations::getGradation(0, 0));
  EXPECT_TRUE(StandardGradations::readStandardGradsFile("Nope").empty());
  EXPECT_TRUE(StandardSnapshots::readStandardSnapFile("Nope").empty());
}

}  // namespace
}  // namespace orlenza
