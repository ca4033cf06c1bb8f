#include "core/files/AlertSink.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/base/StringTable.h"

namespace orlenza {
namespace {

TEST(AlertSinkTest, PrintsAlertsWithTheirTexts) {
  std::ostringstream out;
  StreamAlertSink printing(out);
  printing.showAlert("ReadOnlyFileMain", "ReadOnlyFileExplain");
  printing.showAlert("NoSuchKey", "");  // a key without text shows as itself
  EXPECT_EQ(out.str(), "warning: " + localized("ReadOnlyFileMain") + " " + localized("ReadOnlyFileExplain") +
                           "\nwarning: NoSuchKey \n");
}

TEST(AlertSinkTest, EveryAlertKeyOfTheFilesAndTimelineHasAText) {
  for (char const* key : {"ReadOnlyFileMain", "ReadOnlyFileExplain", "InvalidFileMain", "InvalidFileExplain",
                          "LaterVersionFileMain", "LaterVersionFileExplain", "NewSnapshotWindowTitle",
                          "NewGradationWindowTitle", "NewMovieWindowTitle", "InvalidKeyframeRangeMain",
                          "InvalidKeyframeRangeExplain", "InvalidKeyframeDuplicateMain",
                          "InvalidKeyframeDuplicateExplain"})
    EXPECT_TRUE(hasLocalizedString(key)) << key;
}

}  // namespace
}  // namespace orlenza
