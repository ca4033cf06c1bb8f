#pragma once
// Plays a user's actions against the drawing controller and the main window
// model, one line each, so a whole session of use reads as a script:
//   play.type(WindowField::Norm, "300").pressReturn().zoomAt(20, 20).undo().back();

#include <string>

#include "ScriptedAnswers.h"
#include "core/control/DrawingController.h"
#include "core/control/TimeLineController.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

class UserSession {
 public:
  explicit UserSession(DrawingController& controller) : m_controller(controller) {}

  UserSession& type(WindowField field, std::string text) {
    window().typeIntoField(field, std::move(text));
    return *this;
  }
  UserSession& typeInPane(std::size_t field, std::string text, ControlPlace place = ControlPlace::GeneratorPane) {
    window().typeIntoPaneField(place, field, std::move(text));
    return *this;
  }
  UserSession& focus(FieldRef field) {
    window().setFocus(field);
    return *this;
  }
  UserSession& pressTab(bool shift = false) {
    window().pressTab(shift);
    return *this;
  }
  UserSession& pressReturn() {
    window().pressReturn();
    return *this;
  }
  UserSession& draw() {
    m_controller.makeFractal();
    return *this;
  }
  // A click at a point of the picture with a centred rubber band of 2 * half.
  UserSession& zoomAt(int h, int v, int half = 8) {
    m_controller.zoomImage(Rect{v - half, h - half, v + half, h + half});
    return *this;
  }
  UserSession& zoomIn() {
    m_controller.zoomInImage();
    return *this;
  }
  UserSession& undo() {
    m_controller.doUndo();
    return *this;
  }
  UserSession& redo() {
    m_controller.doRedo();
    return *this;
  }
  UserSession& back() {
    m_controller.goToPreviousSnapshot();
    return *this;
  }
  UserSession& lock(int lockIndex, bool locked = true) {
    window().currentPane()->setLocked(lockIndex, locked);
    return *this;
  }
  UserSession& random() {
    m_controller.makeRandomFormula();
    return *this;
  }
  UserSession& randomColours() {
    m_controller.randomizeGradation();
    return *this;
  }
  UserSession& chooseGenerator(std::string const& identifier) {
    window().paramPaneMenuSelection(window().generatorMenu().indexOf(identifier));
    return *this;
  }
  UserSession& chooseGeometry(std::string const& identifier) {
    window().geometryMenuSelection(window().geometryMenu().indexOf(identifier));
    return *this;
  }

  // Timeline steps, answered by dialogs.
  UserSession& useTimeline(TimeLineController& timeline, testing_control::ScriptedDialogs& dialogs) {
    m_timeline = &timeline;
    m_dialogs = &dialogs;
    return *this;
  }
  UserSession& addKeyframe(std::string position) {
    m_dialogs->positions.push_back(std::move(position));
    m_timeline->addKeyframe();
    return *this;
  }
  UserSession& saveTimeline(std::filesystem::path const& path) {
    m_dialogs->newPaths.push_back(path);
    m_timeline->saveKeyframes();
    return *this;
  }

 private:
  MainWindow& window() { return m_controller.getMainWindow(); }
  DrawingController& m_controller;
  TimeLineController* m_timeline = nullptr;
  testing_control::ScriptedDialogs* m_dialogs = nullptr;
};

}  // namespace orlenza
