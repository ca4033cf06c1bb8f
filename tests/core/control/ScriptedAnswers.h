#pragma once
// A drawing and dialogs whose answers a test scripts in advance, recording
// what the controllers asked and did.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/control/ControllerDialogs.h"
#include "core/control/DrawingTarget.h"
#include "core/control/TimeLineController.h"
#include "core/files/FileTestSupport.h"

namespace orlenza::testing_control {

using namespace testing_files;

class FakeDrawing : public DrawingTarget {
 public:
  std::shared_ptr<Snapshot> makeSnapshotFromControls() override {
    ++m_made;
    return sampleSnapshot("controls " + std::to_string(m_made), m_made * 0.01);
  }
  void applyCurrentKeyframe(std::shared_ptr<Snapshot> const& snap) override { keyframesShown.push_back(snap); }
  void applySnapshot(std::shared_ptr<Snapshot> snap) override { applied.push_back(std::move(snap)); }
  Gradation getCurrentGradation() const override { return current; }
  void previewGradation(Gradation const& g) override { previews.push_back(g); }
  void setCurrentGradation(Gradation const& g) override {
    current = g;
    commits.push_back(g);
  }

  std::vector<std::shared_ptr<Snapshot>> keyframesShown;
  std::vector<std::shared_ptr<Snapshot>> applied;
  Gradation current;
  std::vector<Gradation> previews;
  std::vector<Gradation> commits;

 private:
  int m_made = 0;
};

// An answer list that runs dry answers "cancel".
class ScriptedDialogs : public QuestionAsker,
                        public FileChooser,
                        public KeyframePositionAsker,
                        public ColourPicker {
 public:
  QuestionAnswer ask(YesNoCancelQuestion const& question) override {
    questions.push_back(question);
    return next(answers, QuestionAnswer::cancel);
  }
  std::optional<std::filesystem::path> chooseFileToOpen(std::string_view extension) override {
    extensions.emplace_back(extension);
    return next(openPaths, std::optional<std::filesystem::path>());
  }
  std::optional<std::filesystem::path> chooseNewFile(std::string_view extension, std::string_view titleKey) override {
    extensions.emplace_back(extension);
    titles.emplace_back(titleKey);
    return next(newPaths, std::optional<std::filesystem::path>());
  }
  std::optional<std::string> askKeyframePosition(std::string const& text) override {
    shownPositions.push_back(text);
    return next(positions, std::optional<std::string>());
  }
  std::optional<RGBColor> pickColour(RGBColor const& initial) override {
    colourStarts.push_back(initial);
    return next(colours, std::optional<RGBColor>());
  }

  std::deque<QuestionAnswer> answers;
  std::deque<std::optional<std::filesystem::path>> openPaths;
  std::deque<std::optional<std::filesystem::path>> newPaths;
  std::deque<std::optional<std::string>> positions;
  std::deque<std::optional<RGBColor>> colours;

  std::vector<YesNoCancelQuestion> questions;
  std::vector<std::string> extensions;
  std::vector<std::string> titles;
  std::vector<std::string> shownPositions;
  std::vector<RGBColor> colourStarts;

 private:
  template <typename T>
  static T next(std::deque<T>& queue, T dry) {
    if (queue.empty()) return dry;
    T answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

// The axis as the window would show it.
class FakeTimeLineWindow : public TimeLineWindow {
 public:
  void addKeyframe(std::shared_ptr<Snapshot> const& snap, KeyframePosition pos) override {
    if (entries.contains(pos)) ADD_FAILURE() << "two keyframes at " << pos.getSteps();
    entries[pos] = snap;
  }
  void removeKeyframe(std::shared_ptr<Snapshot> const& snap) override {
    std::erase_if(entries, [&](auto const& e) { return e.second == snap; });
  }
  void replaceKeyframe(KeyframePosition pos, std::shared_ptr<Snapshot> const& snap) override { entries.at(pos) = snap; }
  void clear() override { entries.clear(); }
  void select(KeyframePosition pos) override { selection = pos; }
  void setMovieButtonEnabled(bool enabled) override { movieButton = enabled; }
  void zoomIn() override {}
  void zoomOut() override {}

  std::map<KeyframePosition, std::shared_ptr<Snapshot>> entries;
  KeyframePosition selection;
  bool movieButton = false;
};

inline Alert const kCannotOpen{"CannotOpenFileMain", "CannotOpenFileExplain"};

}  // namespace orlenza::testing_control
