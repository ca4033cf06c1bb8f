#include "core/control/TimeLineController.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/control/ScriptedAnswers.h"
#include "core/files/MovieFrameFile.h"

namespace orlenza {
namespace {

using namespace testing_control;

KeyframePosition at(int steps) { return KeyframePosition::fromSteps(steps); }

class TimeLineControllerTest : public FileTest {
 protected:
  FakeDrawing drawing;
  FakeTimeLineWindow window;
  ScriptedDialogs dialogs;
  TimeLineController timeline{{drawing, window, dialogs, dialogs, dialogs, alerts}};

  std::vector<int> steps() const {
    std::vector<int> result;
    for (auto const& [pos, snap] : timeline.keyframes()) result.push_back(pos.getSteps());
    return result;
  }
  // The window shows exactly the keyframes, the same objects.
  void expectWindowMirrors() const {
    std::map<KeyframePosition, std::shared_ptr<Snapshot>> const held(timeline.keyframes().begin(),
                                                                     timeline.keyframes().end());
    EXPECT_EQ(window.entries, held);
    EXPECT_EQ(window.movieButton, timeline.keyframes().size() >= 2);
  }
  void select(int s) { timeline.currentSelectionChanged(at(s)); }
};

TEST_F(TimeLineControllerTest, SessionEditedSavedAndReopened) {
  dialogs.positions = {"1.5", "0"};
  timeline.addKeyframe();  // 1.5 keeps the dialog open with the range alert
  EXPECT_EQ(dialogs.shownPositions, (std::vector<std::string>{"0", "1.5"}));
  EXPECT_EQ(alerts.alerts().at(0), (Alert{"InvalidKeyframeRangeMain", "InvalidKeyframeRangeExplain"}));
  EXPECT_TRUE(timeline.isModified());
  EXPECT_FALSE(window.movieButton);
  EXPECT_FALSE(timeline.checkMovieKeyframes());
  EXPECT_EQ(alerts.alerts().back(), (Alert{"MissingKeyframeMain", "MissingKeyframeExplain"}));
  EXPECT_TRUE(timeline.entryAdded(at(10000)));
  dialogs.positions = {"0.5"};
  timeline.addKeyframe();
  alerts.clear();
  dialogs.positions = {"0.50001", std::nullopt};  // the step of 0.5: duplicate, then cancel
  timeline.addKeyframe();
  EXPECT_EQ(alerts.alerts(), (std::vector<Alert>{{"InvalidKeyframeDuplicateMain", "InvalidKeyframeDuplicateExplain"}}));
  EXPECT_FALSE(timeline.entryAdded(at(5000)));  // occupied: refused, the window is not told
  EXPECT_EQ(steps(), (std::vector<int>{0, 5000, 10000}));
  expectWindowMirrors();

  select(5000);
  std::shared_ptr<Snapshot> const before = timeline.getSelectedSnap();
  timeline.replaceSelectedKeyframe();
  EXPECT_NE(timeline.getSelectedSnap(), before);
  timeline.entryMoved(at(5000), at(10000));  // onto another keyframe: refused
  timeline.entryMoved(at(5000), at(2500));
  EXPECT_EQ(timeline.getSelection(), at(2500));
  dialogs.positions = {"0.75"};
  timeline.moveKeyFrame();
  EXPECT_EQ(dialogs.shownPositions.back(), "0.25");
  EXPECT_EQ(steps(), (std::vector<int>{0, 7500, 10000}));
  EXPECT_EQ(window.selection, at(7500));
  EXPECT_TRUE(timeline.checkMovieKeyframes());
  timeline.loadSelectedKeyframe();
  EXPECT_EQ(drawing.keyframesShown, (std::vector{timeline.keyframes().getSnapshot(0.75f)}));
  expectWindowMirrors();

  fs::path const path = folder / "walk.msnaps";
  dialogs.newPaths = {path};
  EXPECT_TRUE(timeline.saveKeyframes());
  EXPECT_EQ(dialogs.titles.back(), "NewMovieWindowTitle");
  EXPECT_FALSE(timeline.isModified());

  FakeTimeLineWindow otherWindow;
  TimeLineController reopened({drawing, otherWindow, dialogs, dialogs, dialogs, alerts});
  ASSERT_TRUE(reopened.openKeyframes(path));
  EXPECT_FALSE(reopened.isModified());
  ASSERT_EQ(reopened.keyframes().size(), 3u);
  for (auto a = timeline.keyframes().begin(), b = reopened.keyframes().begin(); a != timeline.keyframes().end();
       ++a, ++b) {
    EXPECT_EQ(a->first, b->first);
    EXPECT_EQ(a->second->getName(), b->second->getName());
    EXPECT_EQ(otherWindow.entries.at(b->first), b->second);
  }
}

TEST_F(TimeLineControllerTest, CheckSaveCurrentMovieWithEachAnswer) {
  EXPECT_TRUE(timeline.checkSaveCurrentMovie());  // nothing changed
  timeline.entryAdded(at(0));
  select(0);
  timeline.deleteSelectedKeyframe();
  EXPECT_TRUE(timeline.isModified());
  EXPECT_TRUE(timeline.checkSaveCurrentMovie());  // modified but empty
  EXPECT_TRUE(dialogs.questions.empty());

  timeline.entryAdded(at(0));
  timeline.entryAdded(at(10000));
  dialogs.answers = {QuestionAnswer::cancel};
  EXPECT_FALSE(timeline.checkSaveCurrentMovie());
  EXPECT_EQ(dialogs.questions, (std::vector<YesNoCancelQuestion>{
                                   {"SaveMovieBeforeOpenTitle", "SaveMovieBeforeOpenExplain", "SaveMovieBeforeOpenYes",
                                    "SaveMovieBeforeOpenCancel", "SaveMovieBeforeOpenNo"}}));

  dialogs.answers = {QuestionAnswer::no};
  EXPECT_TRUE(timeline.checkSaveCurrentMovie());
  EXPECT_TRUE(timeline.isModified());
  EXPECT_TRUE(dialogs.extensions.empty());  // nothing saved

  dialogs.answers = {QuestionAnswer::yes};  // and then the file chooser is cancelled
  EXPECT_FALSE(timeline.checkSaveCurrentMovie());
  EXPECT_TRUE(timeline.isModified());

  dialogs.answers = {QuestionAnswer::yes};
  dialogs.newPaths = {folder / "nowhere" / "kept.msnaps"};  // a folder that does not exist
  EXPECT_FALSE(timeline.checkSaveCurrentMovie());
  EXPECT_EQ(alerts.alerts().back(), (Alert{"CannotSaveFileMain", "CannotSaveFileExplain"}));

  dialogs.answers = {QuestionAnswer::yes};
  dialogs.newPaths = {folder / "kept.msnaps"};
  EXPECT_TRUE(timeline.checkSaveCurrentMovie());
  EXPECT_FALSE(timeline.isModified());
  EXPECT_EQ(MovieFrameFile(folder / "kept.msnaps", alerts).records().size(), 2u);

  // A cancelled question keeps the timeline and asks for no file.
  timeline.entryAdded(at(5000));
  dialogs.extensions.clear();
  dialogs.answers = {QuestionAnswer::cancel};
  timeline.openKeyframes();
  EXPECT_TRUE(dialogs.extensions.empty());
  EXPECT_EQ(steps(), (std::vector<int>{0, 5000, 10000}));
}

TEST_F(TimeLineControllerTest, MoveCancelledKeepsThePlaceAndTheSavedState) {
  timeline.entryAdded(at(7));  // 0.0007: a step that steps / 10000 as a float would drop
  timeline.entryAdded(at(10000));
  dialogs.newPaths = {folder / "two.msnaps"};
  ASSERT_TRUE(timeline.saveKeyframes());
  select(7);
  dialogs.positions = {std::nullopt};
  timeline.moveKeyFrame();
  dialogs.positions = {"0.0007"};  // confirmed unchanged
  timeline.moveKeyFrame();
  EXPECT_EQ(steps(), (std::vector<int>{7, 10000}));
  EXPECT_FALSE(timeline.isModified());
  dialogs.positions = {"1", "0.9"};  // 1 is taken by the other keyframe
  timeline.moveKeyFrame();
  EXPECT_EQ(steps(), (std::vector<int>{9000, 10000}));
  EXPECT_TRUE(timeline.isModified());
  expectWindowMirrors();
}

TEST_F(TimeLineControllerTest, EveryStepIsKeptExactly) {
  for (int s = 0; s <= KeyframePosition::k_steps; ++s) ASSERT_TRUE(timeline.entryAdded(at(s))) << s;
  int expected = 0;
  for (auto const& [pos, snap] : timeline.keyframes()) ASSERT_EQ(pos.getSteps(), expected++);
  EXPECT_EQ(window.entries.size(), 10001u);
}

TEST_F(TimeLineControllerTest, OpeningTakesWhatLiesOnTheAxisAndKeepsTheTimelineOnFailure) {
  auto line = [](std::string const& position) { return position + " " + kDefaultRecord + " \n"; };
  fs::path const messy = folder / "messy.msnaps";
  put(messy, "Qvtx 3\n" + line("0.5") + line("1.5") + line("0.50004") + line("1") + line("0") + line("nan"));
  fs::path const later = folder / "later.msnaps";
  put(later, "Qvtx 9\n" + line("0"));

  timeline.entryAdded(at(1234));
  EXPECT_FALSE(timeline.openKeyframes(folder / "missing.msnaps"));
  EXPECT_FALSE(timeline.openKeyframes(later));
  EXPECT_EQ(alerts.alerts(), (std::vector<Alert>{kCannotOpen, kLater}));
  EXPECT_EQ(steps(), (std::vector<int>{1234}));
  EXPECT_TRUE(timeline.isModified());

  select(1234);
  dialogs.answers = {QuestionAnswer::no};
  dialogs.openPaths = {messy};
  timeline.openKeyframes();
  EXPECT_EQ(dialogs.extensions, (std::vector<std::string>{"msnaps"}));
  EXPECT_EQ(steps(), (std::vector<int>{0, 5000, 10000}));  // the first at 0.5 wins
  EXPECT_FALSE(timeline.getSelection().isValid());
  EXPECT_FALSE(timeline.isModified());
  expectWindowMirrors();
}

}  // namespace
}  // namespace orlenza
