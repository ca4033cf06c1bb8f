#pragma once
// The main window without a display: the view, norm, floor, ceiling,
// post-filter and gradation fields, the mirror boxes, the pop-ups, the
// generator and geometry panes, the translation between them and snapshots,
// the keyboard focus with Tab and Return, the Draw button, the automatic norm,
// the geometry warning, and the back and forward history of drawn snapshots.
// The studio binds its widgets to this model; the drawing controller and the
// tests drive it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/LimitedStack.h"
#include "core/control/WindowControls.h"
#include "core/model/SnapshotCore.h"
#include "core/panes/ParameterPaneGroup.h"

namespace orlenza {

class AbstractImageComputator;
class Snapshot;

// What the main window asks of whoever draws.
class Redrawer {
 public:
  virtual ~Redrawer() = default;
  virtual bool recompute() = 0;
  virtual void redraw() = 0;
  virtual void activateDrawing() = 0;
  virtual void deactivateDrawing() = 0;
  virtual void adjustDrawing() = 0;
  virtual bool imageIsUpToDate() const = 0;
  virtual void resizeDrawing(int width, int height) = 0;
  // A complete field from the cache became current: it may be drawn as it is.
  virtual void retrievedCompleteImage() = 0;
};

// What the main window reports about edits.
class SnapshotControllerIntf {
 public:
  virtual ~SnapshotControllerIntf() = default;
  // undoKey labels the edit ("undo_typing", "undo_norm", ...).
  virtual void currentSnapshotControlsChanged(std::string const& undoKey) = 0;
  virtual void currentGeneratorChanged() = 0;
  virtual void takeNewCurrentSnap(std::shared_ptr<Snapshot> const& snapshot) = 0;
};

// The window's text fields, in tab order.
enum class WindowField {
  CenterX,
  CenterY,
  Size,
  Angle,
  Norm,
  Floor,
  Ceiling,
  FirstPostfilterParam,
  SecondPostfilterParam,
  GradationScale,
  GradationOffset,
};
inline constexpr int kWindowFieldCount = 11;

// Where a text field lives: the window itself or one of the two panes shown.
enum class ControlPlace { Window, GeneratorPane, GeometryPane };
struct FieldRef {
  ControlPlace place = ControlPlace::Window;
  std::size_t index = 0;
  static FieldRef window(WindowField field) { return {ControlPlace::Window, static_cast<std::size_t>(field)}; }
  friend bool operator==(FieldRef const&, FieldRef const&) = default;
};

// The two parts of a little-arrows control.
enum class ArrowPart { Up = 20, Down = 21 };

class GeometryPane;

// The window's own controls, for their undo labels.
enum class WindowControl { TextField, PostFilter, Normalizer, OrbitAnalyzer, AdjustNorm, PopUp };

class MainWindow : private PaneListener {
 public:
  using History = kt::limited_stack<std::shared_ptr<Snapshot>>;
  static constexpr std::size_t kHistoryLimit = 20;
  // Zooming scales the size by the single-precision 0.4 widened to double.
  static constexpr double kZoomFactor = static_cast<double>(0.4f);

  MainWindow(Redrawer& redrawer, SnapshotControllerIntf& controller);

  // --- controls and snapshots
  std::shared_ptr<Snapshot> makeSnapshotFromControls() const;
  void adjustPanesToSnapshot(std::shared_ptr<Snapshot> const& snapshot);
  void getPanesFromRawImage();
  // The drawn snapshot: the current raw image's.
  std::shared_ptr<Snapshot> const& getSnapshot() const;

  std::string const& fieldText(WindowField field) const { return numberField(field).text(); }
  NumberField const& numberField(WindowField field) const;
  // Without reporting (the program writes the field).
  void setFieldText(WindowField field, std::string text);
  // Writes value with the field's digits; the field stands for value until edited.
  void showValue(WindowField field, double value);
  // As the user types: the Draw state is re-evaluated and the edit reported.
  // A disabled field (the parameter of a filter without one) takes no text.
  void typeIntoField(WindowField field, std::string text);
  bool fieldEnabled(WindowField field) const;
  bool flipH() const { return m_flipH; }
  bool flipV() const { return m_flipV; }
  void setFlipBoxes(bool flipH, bool flipV);

  // A field of the generator or geometry pane, as the user types or clicks.
  void typeIntoPaneField(ControlPlace place, std::size_t field, std::string text);
  // The pane shown at place (null for the window).
  AbstractParameterPane* paneAt(ControlPlace place) const;

  // --- keyboard: the focused text field, Tab and Return (Enter does the same)
  std::optional<FieldRef> focus() const { return m_focus; }
  void setFocus(FieldRef field) { m_focus = field; }
  // The window's enabled text fields, then the generator pane's, then the geometry pane's.
  std::vector<FieldRef> tabOrder() const;
  // Reports the focused field's edit, then moves on (with shift, back), wrapping around.
  void pressTab(bool shift = false);
  // Accepts the controls snapshot, which draws it.
  void pressReturn();

  // --- pop-ups (indices into items())
  IdentifierMenu const& normalizerMenu() const { return m_normalizerMenu; }
  void normalizingMenuSelection(int index);
  void chooseNormalizer(std::string const& id) { normalizingMenuSelection(m_normalizerMenu.indexOf(id)); }
  // which: 0 first, 1 second.
  PostfilterControl const& postfilterControl(int which) const { return m_postfilters[which == 0 ? 0 : 1]; }
  void postfilterMenuSelection(int which, int index);
  void choosePostfilter(int which, std::string const& id) {
    postfilterMenuSelection(which, postfilterControl(which).menu().indexOf(id));
  }
  IdentifierMenu const& geometryMenu() const { return m_geometryMenu; }
  // The chosen geometry kind with its default geometry in its pane.
  void geometryMenuSelection(int index);
  GeometryPane* currentGeometryPane() const;
  GeometryWarning const& geometryWarning() const { return m_geometryWarning; }
  void adjustGeometryWarning();
  IdentifierMenu const& generatorMenu() const { return m_generatorMenu; }
  void paramPaneMenuSelection(int index);
  void generatorArrowClicked(ArrowPart part);
  // value: the pop-up's index after the arrows moved it, wrapped into the catalogue.
  void selectGeneratorWithArrows(int value);

  Gradation const& getCurrentGradation() const { return m_settings.getGradationInfo().gradation; }
  // The gradation preview changes; with apply the controls are accepted.
  void setCurrentGradation(Gradation const& gradation, bool apply);

  ParameterPaneGroup& panes() { return m_panes; }
  ParameterPane* currentPane() const { return m_panes.currentParameterPane(); }
  AbstractImageComputator* getCurrentComputator() const;
  // Switches the generator pane (the pane's associated or default snapshot is shown).
  void switchToParameterPane(std::string const& identifier);
  // The current pane's random snapshot drawn from the controls snapshot.
  std::shared_ptr<Snapshot> makeRandomSnap() const;

  static std::string copyUndoString(WindowControl control);

  // --- the tab of the control last edited, and the tab to bring to the front
  static ControlTab tabOf(FieldRef field);
  // Set while an edit is reported; none once the controller has taken it.
  std::optional<ControlTab> currentControl() const { return m_currentControl; }
  void resetCurrentControl() { m_currentControl.reset(); }
  // An undone edit asks for its control's tab; the window takes the request once.
  void changeTabToShowControl(ControlTab tab) { m_tabToShow = tab; }
  std::optional<ControlTab> takeTabToShow() { return std::exchange(m_tabToShow, std::nullopt); }

  // --- drawing
  void acceptSnapshot(std::shared_ptr<Snapshot> const& snapshot);
  void acceptSnapshotFromControls();
  // Installs snapshot as the drawn one without memorizing the old field.
  void setCurrentSnapshot(std::shared_ptr<Snapshot> const& snapshot);
  void associateCurrentSnapWithPane();
  void recomputeFractal();
  void adjustDrawingStatus() { m_redrawer.adjustDrawing(); }
  void zoomIn();
  void zoomOut();

  void activateDrawButton() { m_drawButton = true; }
  void deactivateDrawButton() { m_drawButton = false; }
  bool drawButtonActive() const { return m_drawButton; }

  bool shouldAutoAdjustNorm() const { return m_autoNorm; }
  void setAutoAdjustNorm(bool on) { m_autoNorm = on; }
  void turnOffAutoAdjustNorm() { m_autoNorm = false; }
  void adjustNormPaneFromRawImage();
  // The adjust-norm command: the field's maximum into the norm field, drawn
  // (a recolouring) and reported as an edit.
  void adjustNormAndRecompute();

  // --- history
  void smartPush(History& stack, std::shared_ptr<Snapshot> const& snapshot);
  void takeSnapshot();
  void goToPreviousSnapshot() { goToSnapshot(m_back, m_forward); }
  void goToNextSnapshot() { goToSnapshot(m_forward, m_back); }
  History const& backHistory() const { return m_back; }
  History const& forwardHistory() const { return m_forward; }
  bool backButtonEnabled() const { return m_backEnabled; }
  bool forwardButtonEnabled() const { return m_forwardEnabled; }

 private:
  void adjustDrawing() override { m_redrawer.adjustDrawing(); }
  void currentSnapshotControlsChanged(std::size_t field) override;

  // Reports the geometry pane's edits with their own fields' labels.
  class GeometryPaneListener : public PaneListener {
   public:
    explicit GeometryPaneListener(MainWindow& window) : m_window(window) {}
    void adjustDrawing() override { m_window.m_redrawer.adjustDrawing(); }
    void currentSnapshotControlsChanged(std::size_t field) override;

   private:
    MainWindow& m_window;
  };

  NumberField& mutableField(WindowField field);
  void reportFieldEdit(FieldRef field, bool tabbed);
  // Runs a pop-up's handler; a platform error is written to standard error.
  template <class F>
  void handlePopUp(F&& handler);
  void showGeometry(std::shared_ptr<Geometry> const& geometry);
  std::vector<std::string> geometryPaneTexts() const;

  void takeSnapshot_(History& stack) { smartPush(stack, getSnapshot()); }
  void goToSnapshot(History& from, History& to);
  void updateSnapshotButtons();
  void zoomBy(double factor);

  Redrawer& m_redrawer;
  SnapshotControllerIntf& m_controller;
  ParameterPaneGroup m_panes;
  ParameterPaneGroup m_geometryPanes;
  GeometryPaneListener m_geometryListener{*this};
  // The post-filter parameters live in their controls; their slots here are unused.
  NumberField m_fields[kWindowFieldCount];
  bool m_flipH = false;
  bool m_flipV = false;
  PostfilterControl m_postfilters[2];
  IdentifierMenu m_normalizerMenu;
  IdentifierMenu m_geometryMenu;
  IdentifierMenu m_generatorMenu;
  GeometryWarning m_geometryWarning;
  std::optional<FieldRef> m_focus;
  std::optional<ControlTab> m_currentControl;
  std::optional<ControlTab> m_tabToShow;
  // The shown snapshot's core: its gradation is the window's current one and
  // its geometry stands for the geometry pane while the pane is untouched.
  SnapshotCore m_settings;
  // What adjustPanesToSnapshot wrote: panes still showing it stand for the
  // exact values, not for the rounded texts, so untouched controls never
  // differ from the snapshot they show.
  std::shared_ptr<Snapshot const> m_shown;
  std::vector<std::string> m_shownPaneTexts;
  std::vector<std::string> m_shownGeometryTexts;
  bool m_drawButton = false;
  bool m_autoNorm = false;
  History m_back{kHistoryLimit};
  History m_forward{kHistoryLimit};
  bool m_backEnabled = false;
  bool m_forwardEnabled = false;
};

}  // namespace orlenza
