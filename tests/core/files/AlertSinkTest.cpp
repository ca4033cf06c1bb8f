#include "core/files/AlertSink.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/base/StringTable.h"

namespace orlenza {
namespace {

TEST(AlertSinkTest, RecordsAndPrintsAlerts) {
  RecordingAlertSink recording;
  AlertSink& sink = recording;
  sink.showAlert("InvalidFileMain", "InvalidFileExplain");
  sink.showAlert("a", "b");
  ASSERT_EQ(recording.alerts().size(), 2u);
  EXPECT_EQ(recording.alerts()[1], (RecordingAlertSink::Alert{"a", "b"}));
  recording.clear();
  EXPECT_TRUE(recording.empty());

  std::ostringstream out;
  StreamAlertSink printing(out);
  printing.showAlert("ReadOnlyFileMain", "ReadOnlyFileExplain");
  printing.showAlert("NoSuchKey", "");  // a key without text shows as itself
  EXPECT_EQ(out.str(), "warning: " + localized("ReadOnlyFileMain") + " " + localized("ReadOnlyFileExplain") +
                           "\nwarning: NoSuchKey \n");
}

TEST(AlertSinkTest, EveryKeyOfTheFilesHasAText) {
  for (char const* key : {"ReadOnlyFileMain", "ReadOnlyFileExplain", "InvalidFileMain", "InvalidFileExplain",
                          "LaterVersionFileMain", "LaterVersionFileExplain", "NewSnapshotWindowTitle",
                          "NewGradationWindowTitle", "NewMovieWindowTitle"})
    EXPECT_TRUE(hasLocalizedString(key)) << key;
}

}  // namespace
}  // namespace orlenza
