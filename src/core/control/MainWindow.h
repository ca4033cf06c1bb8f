#pragma once
// The main window without a display: the view, norm, floor and ceiling fields
// as texts, the mirror boxes, the generator panes and the colouring settings,
// the translation between them and snapshots, the Draw button, the automatic
// norm, and the back and forward history of drawn snapshots. The studio binds
// its widgets to this model; the drawing controller and the tests drive it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/LimitedStack.h"
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

enum class ViewField { CenterX, CenterY, Size, Angle, Norm, Floor, Ceiling };

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

  std::string const& fieldText(ViewField field) const;
  // Without reporting (the program writes the field).
  void setFieldText(ViewField field, std::string text);
  // Writes value with the field's digits; the field stands for value until edited.
  void showValue(ViewField field, double value);
  // As the user types: the Draw state is re-evaluated and the edit reported.
  void typeIntoField(ViewField field, std::string text);
  bool flipH() const { return m_flipH; }
  bool flipV() const { return m_flipV; }
  void setFlipBoxes(bool flipH, bool flipV);

  // Colouring settings of the controls, chosen by the user (each reported).
  void chooseNormalizer(std::string id);
  // which: 0 first, 1 second. A filter without a parameter gets 0.
  void choosePostfilter(int which, std::string id, double param);
  Gradation const& getCurrentGradation() const { return m_settings.getGradationInfo().gradation; }
  // The gradation preview changes; with apply the controls are accepted.
  void setCurrentGradation(Gradation const& gradation, bool apply);

  ParameterPaneGroup& panes() { return m_panes; }
  ParameterPane* currentPane() const { return m_panes.currentParameterPane(); }
  AbstractImageComputator* getCurrentComputator() const;
  // Switches the generator pane (the pane's associated or default snapshot is shown).
  void switchToParameterPane(std::string const& identifier);

  static std::string copyUndoString(WindowControl control);

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

  void takeSnapshot_(History& stack) { smartPush(stack, getSnapshot()); }
  void goToSnapshot(History& from, History& to);
  void updateSnapshotButtons();
  void zoomBy(double factor);

  Redrawer& m_redrawer;
  SnapshotControllerIntf& m_controller;
  ParameterPaneGroup m_panes;
  std::string m_texts[7];
  bool m_flipH = false;
  bool m_flipV = false;
  // Gradation, post-filters, normalizer and geometry as the controls show them.
  SnapshotCore m_settings;
  // What adjustPanesToSnapshot wrote: a field still showing it stands for the
  // exact value, not for the rounded text, so an untouched control never
  // differs from the snapshot it shows.
  std::shared_ptr<Snapshot const> m_shown;
  std::vector<std::string> m_shownPaneTexts;
  double m_shownValues[7] = {};
  std::string m_shownTexts[7];
  bool m_drawButton = false;
  bool m_autoNorm = false;
  History m_back{kHistoryLimit};
  History m_forward{kHistoryLimit};
  bool m_backEnabled = false;
  bool m_forwardEnabled = false;
};

}  // namespace orlenza
