#include "core/control/DrawingController.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/control/ProgressDialog.h"
#include "core/control/RawImageManager.h"
#include "core/control/SnapshotBrowserController.h"
#include "core/control/UndoManager.h"
#include "core/engine/ImageComputator.h"
#include "core/engine/PlaneSampler.h"
#include "core/files/AlertSink.h"
#include "core/files/SnapshotFile.h"
#include "core/library/StandardSnapshots.h"
#include "core/model/Snapshot.h"

namespace orlenza {

int ImageWindow::clampSide(long value) {
  long const magnitude = value < 0 ? -value : value;
  return static_cast<int>(std::clamp(magnitude, static_cast<long>(kMinSide), static_cast<long>(kMaxSide)));
}

DrawingController::DrawingController(ProgressWindow& progress, AlertSink& alerts)
    : m_progress(progress),
      m_alerts(alerts),
      m_bitmap(RawField::kMaxSize, RawField::kMaxSize),
      m_mainWindow(*this, *this) {
  m_bitmap.setSize(256, 256);
  m_mainWindow.getPanesFromRawImage();
  m_ready = true;
  m_currentSnap = StandardSnapshots::getSnapshot("EscParams", 0);
  if (recompute()) adjustDrawing();
}

DrawingController::~DrawingController() { m_ready = false; }

void DrawingController::setSnapshotBrowser(SnapshotBrowserController* browser) {
  m_browser = browser;
  snapshotFileChanged();
}

void DrawingController::snapshotFileChanged() {
  if (m_browser) m_browser->setSnapshotFile(m_snapshotFile.get());
}

void DrawingController::makeNewSnapsFile(std::filesystem::path const& path) {
  m_snapshotFile = std::make_unique<SnapshotFile>(SnapshotFile::createNew(path));
  snapshotFileChanged();
}

void DrawingController::openSnapsFile(std::filesystem::path const& path) {
  if (m_snapshotFile && referToSameFile(m_snapshotFile->getPath(), path)) return;
  auto file = std::make_unique<SnapshotFile>(path, m_alerts);
  if (!file->isOpen()) {
    m_alerts.showAlert("CannotOpenFileMain", "CannotOpenFileExplain");
    return;
  }
  m_snapshotFile = std::move(file);
  snapshotFileChanged();
}

void DrawingController::closeSnapsFile() {
  m_snapshotFile.reset();
  snapshotFileChanged();
}

bool DrawingController::isBlankSnapshotName(std::string const& name) {
  return name.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
}

bool DrawingController::memorizeSnapshot(std::string const& name) {
  if (!m_snapshotFile) return false;
  if (isBlankSnapshotName(name)) {
    m_alerts.showAlert("InvalidSnapshotNameMain", "InvalidSnapshotNameExplain");
    return false;
  }
  if (m_snapshotFile->isReadOnly()) return false;
  std::shared_ptr<Snapshot> stored = m_mainWindow.getSnapshot()->clone();
  stored->setName(name);
  m_snapshotFile->records().push_back(std::move(stored));
  m_snapshotFile->setModified();
  if (m_browser) m_browser->refreshFileBrowser();
  return true;
}

static std::shared_ptr<baseRawImage> const& currentImage() { return RawImageManager::instance().getCurrentImage(); }

bool DrawingController::recompute() {
  m_upToDate = false;
  resizeDrawing(m_imageWindow.getDrawingWidth(), m_imageWindow.getDrawingHeight());
  m_imageWindow.preventRedraw();
  std::string error;
  ComputationOutcome const outcome = runComputation(*currentImage(), m_progress, &error);
  if (outcome == ComputationOutcome::Canceled) return false;
  if (outcome == ComputationOutcome::Failed) {
    // The bitmap still shows the previous picture; Draw stays offered to try again.
    m_imageWindow.allowRedraw();
    m_alerts.showAlert(std::string(kFailureMainKey), std::string(kFailureExplainKey));
    activateDrawing();
    return false;
  }
  if (m_mainWindow.shouldAutoAdjustNorm()) m_mainWindow.adjustNormPaneFromRawImage();
  m_upToDate = true;
  m_imageWindow.allowRedraw();
  redrawImage();
  View const& view = currentImage()->getView();
  m_imageWindow.updateControlsFromImage(view.getFlipH(), view.getFlipV());
  return true;
}

void DrawingController::redrawImage() {
  if (m_imageWindow.redrawPrevented()) return;
  currentImage()->drawRawImage(m_bitmap);
}

void DrawingController::redraw() {
  resizeDrawing(m_imageWindow.getDrawingWidth(), m_imageWindow.getDrawingHeight());
  redrawImage();
}

void DrawingController::resizeDrawing(int width, int height) {
  currentImage()->setSize(width, height);
  m_bitmap.setSize(width, height);
  m_imageWindow.setRequestedSize(width, height);
  m_imageMenu.reactToSize(width, height);
}

void DrawingController::retrievedCompleteImage() {
  m_upToDate = true;
  m_imageWindow.allowRedraw();
}

void DrawingController::activateDrawing() {
  m_drawEnabled = true;
  m_mainWindow.activateDrawButton();
}

void DrawingController::deactivateDrawing() {
  m_drawEnabled = false;
  m_mainWindow.deactivateDrawButton();
}

bool DrawingController::requestedImageSizeDiffersFromCurrent() const {
  return m_imageWindow.getDrawingWidth() != m_bitmap.getWidth() ||
         m_imageWindow.getDrawingHeight() != m_bitmap.getHeight();
}

void DrawingController::adjustDrawing() {
  if (!m_ready) return;
  if (m_mainWindow.makeSnapshotFromControls()->isEqual(*m_mainWindow.getSnapshot()) &&
      !requestedImageSizeDiffersFromCurrent())
    deactivateDrawing();
  else
    activateDrawing();
}

void DrawingController::fullUpdate() {
  m_mainWindow.setCurrentSnapshot(m_mainWindow.makeSnapshotFromControls());
  recompute();
  deactivateDrawing();
}

void DrawingController::imageSizeFieldsEdited(long width, long height) {
  m_imageWindow.setRequestedSize(width, height);
  if (requestedImageSizeDiffersFromCurrent()) fullUpdate();
}

void DrawingController::makeFractal() {
  m_mainWindow.acceptSnapshotFromControls();
  if (requestedImageSizeDiffersFromCurrent() && recompute()) deactivateDrawing();
}

void DrawingController::currentSnapshotControlsChanged(std::string const& undoKey) {
  if (!m_ready) return;
  assert(m_currentSnap && "!!m_currentSnap");
  std::shared_ptr<Snapshot> controls = m_mainWindow.makeSnapshotFromControls();
  std::optional<ControlTab> const tab = m_mainWindow.currentControl();
  m_mainWindow.resetCurrentControl();
  if (controls->isEqual(*m_currentSnap)) return;
  DrawingUndo::getManager().pushCommand(
      std::make_shared<UndoCommandSnapshot>(&m_mainWindow, m_currentSnap, undoKey, false, tab));
  m_currentSnap = std::move(controls);
}

void DrawingController::currentGeneratorChanged() { DrawingUndo::getManager().clear(); }

void DrawingController::setCurrentGradation(Gradation const& gradation) {
  DrawingUndo::getManager().pushCommand(
      std::make_shared<UndoCommandGradationEdit>(&m_mainWindow, m_mainWindow.makeSnapshotFromControls()));
  m_mainWindow.setCurrentGradation(gradation, !m_drawEnabled);
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::applyCurrentKeyframe(std::shared_ptr<Snapshot> const& snapshot) {
  if (!snapshot) return;
  m_mainWindow.adjustPanesToSnapshot(snapshot);
  m_mainWindow.adjustDrawingStatus();
}

void DrawingController::applySnapshot(std::shared_ptr<Snapshot> snapshot) {
  if (!snapshot) return;
  m_mainWindow.turnOffAutoAdjustNorm();
  DrawingUndo::getManager().clear();
  m_mainWindow.acceptSnapshot(snapshot);
}

void DrawingController::previewGradation(Gradation const& gradation) {
  if (m_imageWindow.redrawPrevented()) return;
  auto const& image = currentImage();
  SnapshotCore core = image->getSnapshot()->getCore();
  core.getGradationInfo().gradation = gradation;
  BitMapDrawer drawer(m_bitmap);
  drawRawField(image->getField(), core, drawer);
}

void DrawingController::goToPreviousSnapshot() {
  m_mainWindow.turnOffAutoAdjustNorm();
  DrawingUndo::getManager().clear();
  m_mainWindow.goToPreviousSnapshot();
}

void DrawingController::goToNextSnapshot() {
  m_mainWindow.turnOffAutoAdjustNorm();
  DrawingUndo::getManager().clear();
  m_mainWindow.goToNextSnapshot();
}

void DrawingController::makeRandomFormula() {
  std::shared_ptr<Snapshot> random = m_mainWindow.makeRandomSnap();
  m_mainWindow.adjustPanesToSnapshot(random);
  m_mainWindow.acceptSnapshotFromControls();
  DrawingUndo::getManager().pushCommand(std::make_shared<UndoCommandRandomize>(&m_mainWindow, m_currentSnap, true));
  // The random parameters are where the next edit starts from; otherwise undoing
  // that edit would also take the random formula back.
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::randomizeGradation() {
  DrawingUndo::getManager().pushCommand(
      std::make_shared<UndoCommandGradationEdit>(&m_mainWindow, m_mainWindow.makeSnapshotFromControls()));
  Gradation gradation = m_mainWindow.getCurrentGradation();
  gradation.randomize();
  m_mainWindow.setCurrentGradation(gradation, false);
  m_mainWindow.acceptSnapshotFromControls();
  deactivateDrawing();
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::doUndo() { DrawingUndo::getManager().undo(); }

void DrawingController::doRedo() { DrawingUndo::getManager().redo(); }

void DrawingController::zoomInImage() {
  DrawingUndo::getManager().pushCommand(
      std::make_shared<UndoCommandZoom>(&m_mainWindow, m_mainWindow.makeSnapshotFromControls()));
  m_mainWindow.zoomIn();
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::zoomOutImage() {
  DrawingUndo::getManager().pushCommand(
      std::make_shared<UndoCommandZoom>(&m_mainWindow, m_mainWindow.makeSnapshotFromControls()));
  m_mainWindow.zoomOut();
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::zoomImage(Rect const& rect) {
  View const drawn = m_mainWindow.getSnapshot()->getCore().getView();
  int const width = m_bitmap.getWidth();
  int const height = m_bitmap.getHeight();
  PlaneSampler const sampler(drawn, width, height);
  Coord2D const centre = sampler.getXY((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  double const factor = std::max(static_cast<double>(rect.right - rect.left) / width,
                                 static_cast<double>(rect.bottom - rect.top) / height);
  std::shared_ptr<Snapshot> snapshot = m_mainWindow.makeSnapshotFromControls();
  View& view = snapshot->getCore().getView();
  view.setCenterX(centre.x);
  view.setCenterY(centre.y);
  view.setSize(drawn.getSize() * factor);
  m_mainWindow.acceptSnapshot(snapshot);
}

void DrawingController::zoomAtPoint(Point const& point, bool zoomOut) {
  std::shared_ptr<Snapshot> const before = m_mainWindow.makeSnapshotFromControls();
  DrawingUndo::getManager().pushCommand(std::make_shared<UndoCommandZoom>(&m_mainWindow, before));
  View const drawn = m_mainWindow.getSnapshot()->getCore().getView();
  PlaneSampler const sampler(drawn, m_bitmap.getWidth(), m_bitmap.getHeight());
  Coord2D const centre = sampler.getXY(point.h, point.v);
  std::shared_ptr<Snapshot> snapshot = before->clone();
  View& view = snapshot->getCore().getView();
  view.setCenterX(centre.x);
  view.setCenterY(centre.y);
  view.setSize(drawn.getSize() * (zoomOut ? 1.0 / MainWindow::kZoomFactor : MainWindow::kZoomFactor));
  m_mainWindow.acceptSnapshot(snapshot);
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::moveImage(Point const& from, Point const& to) {
  PlaneSampler const sampler(m_mainWindow.getSnapshot()->getCore().getView(), m_bitmap.getWidth(),
                             m_bitmap.getHeight());
  Coord2D const a = sampler.getXY(from.h, from.v);
  Coord2D const b = sampler.getXY(to.h, to.v);
  std::shared_ptr<Snapshot> snapshot = m_mainWindow.makeSnapshotFromControls();
  snapshot->getCore().offsetView(a.x - b.x, a.y - b.y);
  m_mainWindow.acceptSnapshot(snapshot);
}

void DrawingController::flip(bool horizontal, bool invert) {
  std::shared_ptr<Snapshot> before = m_mainWindow.makeSnapshotFromControls();
  if (invert) {
    View& view = before->getCore().getView();
    horizontal ? view.toggleFlipH() : view.toggleFlipV();
  }
  DrawingUndo::getManager().pushCommand(std::make_shared<UndoCommandFlip>(&m_mainWindow, before));
  if (before->isEqual(*m_mainWindow.getSnapshot())) {
    auto const& image = currentImage();
    // A snapshot of its own: the one drawn may be shared with the history.
    image->setSnapshot(image->getSnapshot()->clone());
    horizontal ? image->flipImageHorizontal() : image->flipImageVertical();
    redrawImage();
    View const& view = image->getView();
    m_imageWindow.updateControlsFromImage(view.getFlipH(), view.getFlipV());
    m_mainWindow.getPanesFromRawImage();
  } else {
    m_mainWindow.acceptSnapshotFromControls();
  }
  deactivateDrawing();
  takeNewCurrentSnap(m_mainWindow.makeSnapshotFromControls());
}

void DrawingController::flipImageHorizontal(bool invert) { flip(true, invert); }

void DrawingController::flipImageVertical(bool invert) { flip(false, invert); }

void DrawingController::resetCommand() {
  m_mainWindow.takeSnapshot();
  resetView();
}

void DrawingController::resetView() {
  DrawingUndo::getManager().pushCommand(
      std::make_shared<UndoCommandReset>(&m_mainWindow, m_mainWindow.makeSnapshotFromControls()));
  struct TakeCurrentSnapOnExit {
    DrawingController& controller;
    ~TakeCurrentSnapOnExit() {
      try {
        controller.takeNewCurrentSnap(controller.m_mainWindow.makeSnapshotFromControls());
      } catch (...) {
        // Already leaving with an exception, or the controls cannot make a
        // snapshot: the previous one stays the reference for undo.
      }
    }
  } onExit{*this};
  AbstractImageComputator* computator = m_mainWindow.getCurrentComputator();
  assert(computator && "the current generator has a computator");
  auto const& image = currentImage();
  // A new snapshot object, so that the history entry made before keeps its view.
  std::shared_ptr<Snapshot> reset = image->getSnapshot()->clone();
  reset->getCore().setView(computator->getDefaultView());
  image->setSnapshot(reset);
  m_mainWindow.getPanesFromRawImage();
  m_mainWindow.recomputeFractal();
}

void DrawingController::setDrawingSizeAndRecompute(int presetIndex) {
  setDrawingSizeAndRecompute(ImageMenuController::presetSize(presetIndex));
}

void DrawingController::setDrawingSizeAndRecompute(WidthAndHeight size) {
  m_imageWindow.setRequestedSize(size.width, size.height);
  fullUpdate();
}

}  // namespace orlenza
