#include "core/files/CollectionSaving.h"

#include <gtest/gtest.h>

#include "core/files/FileTestSupport.h"
#include "core/files/GradationFile.h"

namespace orlenza {
namespace {

using namespace testing_files;

// One session: a file saved after each change while, between changes, it is
// deleted, made read-only and loses its folder; no record is ever lost.
TEST(CollectionSavingTest, ChangesUnderTheProgramAreReportedAndRecordsStay) {
  ScratchFolder folder;
  fs::path const sub = folder / "sub";
  fs::create_directories(sub);
  fs::path const path = sub / "warm.grads";
  RecordingAlertSink alerts;
  GradationFile file = GradationFile::createNew(path);
  EXPECT_EQ(saveChanges(file, alerts), SaveOutcome::unchanged);

  auto add = [&file](std::uint16_t grey) {
    Gradation g;
    g.addEntry(KeyframePosition::fromSteps(5000), RGBColor{grey, grey, grey});
    file.records().push_back(std::make_shared<Gradation>(g));
    file.setModified();
  };
  add(100);
  EXPECT_EQ(saveChanges(file, alerts), SaveOutcome::written);
  EXPECT_TRUE(alerts.empty());

  fs::remove(path);
  add(200);
  EXPECT_EQ(saveChanges(file, alerts), SaveOutcome::writtenAgain);
  RecordingAlertSink reread;
  EXPECT_EQ(GradationFile(path, reread).records().size(), 2u);

  std::string const before = contentOf(path);
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  add(300);
  EXPECT_EQ(saveChanges(file, alerts), SaveOutcome::nowReadOnly);
  EXPECT_EQ(contentOf(path), before);
  EXPECT_TRUE(file.isModified());

  fs::remove_all(sub);  // nowhere to write the temporary
  EXPECT_EQ(saveChanges(file, alerts), SaveOutcome::failed);
  EXPECT_EQ(file.records().size(), 3u);
  EXPECT_TRUE(file.isModified());
  EXPECT_EQ(alerts.alerts(), (std::vector<RecordingAlertSink::Alert>{{"FileGoneMain", "FileGoneExplain"},
                                                                     {"FileNowReadOnlyMain", "FileNowReadOnlyExplain"},
                                                                     {"CannotSaveFileMain", "CannotSaveFileExplain"}}));
  file.setModified(false);  // the scratch folder is gone; nothing to write at the end
}

}  // namespace
}  // namespace orlenza
