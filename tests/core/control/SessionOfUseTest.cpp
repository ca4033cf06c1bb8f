// A whole session of use, played the way a user works; recolouring, random
// formulas and cancelled drawings have their own tests beside this one.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "DrawingSession.h"
#include "UserSession.h"

namespace orlenza {
namespace {

using SessionOfUseTest = DrawingSessionTest;

TEST_F(SessionOfUseTest, ZoomBackSmallerPicturesAndTypedEditsUndone) {
  UserSession play(*controller);
  auto const start = drawn();
  std::vector<RGBColor> const startPixels = pixels();
  int computed = window.computations;

  // Zoom twice at a point, then back twice: both backs come from the cache.
  play.zoomAt(60, 150, 40).zoomAt(200, 30, 40);
  EXPECT_EQ(window.computations, computed += 2);
  auto const firstZoom = main().backHistory().top();
  play.back();
  EXPECT_EQ(drawn(), firstZoom);
  play.back();
  EXPECT_EQ(drawn(), start);
  EXPECT_EQ(pixels(), startPixels);
  EXPECT_EQ(window.computations, computed);

  // Smaller pictures from here on.
  useSmallPictures();
  EXPECT_EQ(window.computations, computed += 1);

  // Typed edits undo and redo; Return draws what is typed.
  play.type(WindowField::Angle, "30").type(WindowField::Floor, "0.2").pressReturn();
  EXPECT_EQ(window.computations, computed += 1);
  play.undo();
  EXPECT_EQ(main().fieldText(WindowField::Floor), "0");
  EXPECT_TRUE(main().drawButtonActive());
  play.redo().pressReturn();
  EXPECT_DOUBLE_EQ(drawn()->getCore().getFloor(), 0.2);
  EXPECT_TRUE(alerts.empty());
}

TEST_F(SessionOfUseTest, TimelineOfDrawnPicturesSavedAndReopened) {
  namespace fs = std::filesystem;
  useSmallPictures();
  fs::path const folder = fs::temp_directory_path() / ("orlenza-session-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  testing_control::FakeTimeLineWindow axis;
  testing_control::ScriptedDialogs dialogs;
  TimeLineController timeline({*controller, axis, dialogs, dialogs, dialogs, alerts});
  UserSession play(*controller);
  play.useTimeline(timeline, dialogs);

  auto const first = drawn();
  play.addKeyframe("0").zoomAt(20, 20).type(WindowField::Angle, "45").pressReturn().addKeyframe("1");
  auto const second = drawn();
  EXPECT_TRUE(timeline.isMovieButtonEnabled());
  EXPECT_TRUE(timeline.isModified());
  play.saveTimeline(folder / "zoom.msnaps");
  EXPECT_FALSE(timeline.isModified());

  testing_control::FakeTimeLineWindow otherAxis;
  TimeLineController reopened({*controller, otherAxis, dialogs, dialogs, dialogs, alerts});
  ASSERT_TRUE(reopened.openKeyframes(folder / "zoom.msnaps"));
  EXPECT_FALSE(reopened.isModified());
  ASSERT_EQ(reopened.keyframes().size(), 2u);
  EXPECT_TRUE(reopened.keyframes().getSnapshot(0.0f)->isEqual(*first));
  EXPECT_TRUE(reopened.keyframes().getSnapshot(1.0f)->isEqual(*second));

  // Loading the first keyframe shows it in the controls; Return draws it.
  reopened.currentSelectionChanged(KeyframePosition::fromSteps(0));
  reopened.loadSelectedKeyframe();
  EXPECT_TRUE(main().drawButtonActive());
  play.pressReturn();
  EXPECT_TRUE(drawn()->isEqual(*first));
  EXPECT_TRUE(alerts.empty());
  fs::remove_all(folder);
}

}  // namespace
}  // namespace orlenza
