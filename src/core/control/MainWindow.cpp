#include "core/control/MainWindow.h"

#include <cassert>
#include <utility>

#include "core/control/RawImageManager.h"
#include "core/engine/ImageComputator.h"
#include "core/engine/Postfiltering.h"
#include "core/model/Snapshot.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

namespace {
// Significant digits shown, in ViewField order.
constexpr int kDigits[] = {10, 10, 10, 5, 10, 5, 5};

int index(ViewField field) { return static_cast<int>(field); }

std::vector<std::string> paneTexts(AbstractParameterPane const& pane) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < pane.fieldCount(); ++i) texts.push_back(pane.fieldText(i));
  return texts;
}
}  // namespace

MainWindow::MainWindow(Redrawer& redrawer, SnapshotControllerIntf& controller)
    : m_redrawer(redrawer), m_controller(controller) {}

std::shared_ptr<Snapshot> const& MainWindow::getSnapshot() const {
  return RawImageManager::instance().getCurrentImage()->getSnapshot();
}

std::string const& MainWindow::fieldText(ViewField field) const { return m_texts[index(field)]; }

void MainWindow::setFieldText(ViewField field, std::string text) { m_texts[index(field)] = std::move(text); }

void MainWindow::showValue(ViewField field, double value) {
  int const i = index(field);
  m_texts[i] = formatSignificant(value, kDigits[i]);
  m_shownTexts[i] = m_texts[i];
  m_shownValues[i] = value;
}

void MainWindow::typeIntoField(ViewField field, std::string text) {
  setFieldText(field, std::move(text));
  m_redrawer.adjustDrawing();
  m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::TextField));
}

void MainWindow::setFlipBoxes(bool flipH, bool flipV) {
  m_flipH = flipH;
  m_flipV = flipV;
}

void MainWindow::chooseNormalizer(std::string id) {
  m_settings.setNormalizerID(std::move(id));
  m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::Normalizer));
  m_redrawer.adjustDrawing();
}

void MainWindow::choosePostfilter(int which, std::string id, double param) {
  if (!Postfiltering::getPostfilteringFromID(id).usesParam()) param = 0.0;
  if (which == 0) {
    m_settings.setPostfilteringID(std::move(id));
    m_settings.setPostfilteringParam(param);
  } else {
    m_settings.setSecondPostfilteringID(std::move(id));
    m_settings.setSecondPostfilteringParam(param);
  }
  m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::PostFilter));
  m_redrawer.adjustDrawing();
}

void MainWindow::setCurrentGradation(Gradation const& gradation, bool apply) {
  m_settings.getGradationInfo().gradation = gradation;
  if (apply) acceptSnapshotFromControls();
}

std::shared_ptr<Snapshot> MainWindow::makeSnapshotFromControls() const {
  ParameterPane* pane = currentPane();
  assert(pane && "a generator pane is shown");
  std::shared_ptr<Snapshot> snapshot;
  if (m_shown && m_shown->getIdentifier() == m_panes.currentIdentifier() && paneTexts(*pane) == m_shownPaneTexts) {
    snapshot = m_shown->clone();
  } else {
    snapshot = pane->makeNewSnapshot();
    pane->updateToSnapshot(*snapshot);
  }
  auto value = [this](ViewField field) {
    int const i = index(field);
    return m_texts[i] == m_shownTexts[i] ? m_shownValues[i] : parseFieldNumber(m_texts[i]);
  };
  SnapshotCore core = m_settings;
  core.setView(View(value(ViewField::CenterX), value(ViewField::CenterY), value(ViewField::Size),
                    value(ViewField::Angle), m_flipH, m_flipV));
  core.setNorm(value(ViewField::Norm));
  core.setFloor(value(ViewField::Floor));
  core.setCeiling(value(ViewField::Ceiling));
  snapshot->setCore(core);
  snapshot->setName("");
  return snapshot;
}

void MainWindow::adjustPanesToSnapshot(std::shared_ptr<Snapshot> const& snapshot) {
  assert(snapshot && "a snapshot to show");
  m_panes.switchToPane(snapshot->getIdentifier(), this);
  currentPane()->updateFromSnapshot(*snapshot);
  SnapshotCore const& core = snapshot->getCore();
  m_settings = core;
  View const& view = core.getView();
  double const values[] = {view.getCenterX(), view.getCenterY(), view.getSize(), view.getAngle(),
                           core.getNorm(),    core.getFloor(),   core.getCeiling()};
  for (int i = 0; i < 7; ++i) showValue(static_cast<ViewField>(i), values[i]);
  setFlipBoxes(view.getFlipH(), view.getFlipV());
  m_shown = snapshot->clone();
  m_shownPaneTexts = paneTexts(*currentPane());
}

void MainWindow::getPanesFromRawImage() { adjustPanesToSnapshot(getSnapshot()); }

AbstractImageComputator* MainWindow::getCurrentComputator() const {
  return AbstractImageComputator::getComputatorFromID(m_panes.currentIdentifier());
}

void MainWindow::switchToParameterPane(std::string const& identifier) {
  std::shared_ptr<Snapshot> shown = m_panes.switchToGenerator(identifier, this);
  adjustPanesToSnapshot(shown);
  m_controller.currentGeneratorChanged();
  m_redrawer.adjustDrawing();
}

std::string MainWindow::copyUndoString(WindowControl control) {
  switch (control) {
    case WindowControl::PostFilter:
      return "undo_postfiltering";
    case WindowControl::Normalizer:
      return "undo_norm";
    case WindowControl::OrbitAnalyzer:
      return "undo_orbit";
    case WindowControl::AdjustNorm:
      return "undo_adjustNorm";
    case WindowControl::PopUp:
      return "undo_menu";
    case WindowControl::TextField:
      return "undo_typing";
  }
  return "undo_typing";
}

void MainWindow::currentSnapshotControlsChanged(std::size_t field) {
  ParameterPane* pane = currentPane();
  std::string key = "undo_typing";
  if (pane && field < pane->fieldCount()) key = std::string(pane->fields()[field].undoKey);
  m_controller.currentSnapshotControlsChanged(key);
}

void MainWindow::acceptSnapshot(std::shared_ptr<Snapshot> const& snapshot) {
  assert(snapshot && "a snapshot to accept");
  std::shared_ptr<Snapshot> const drawn = getSnapshot();
  if (snapshot->isEqual(*drawn) && m_redrawer.imageIsUpToDate()) return;
  bool const same = snapshot->isComputationallyEqual(*drawn);
  bool needsRecompute = true;
  if (!same) {
    // A field left by a canceled or failed computation must never come back as a picture.
    if (m_redrawer.imageIsUpToDate()) RawImageManager::instance().memorizeCurrentImage();
  } else {
    needsRecompute = !m_redrawer.imageIsUpToDate();
  }
  takeSnapshot();
  RawImageManager::instance().getCurrentImage()->setSnapshot(snapshot);
  getPanesFromRawImage();
  if (needsRecompute) {
    if (!m_redrawer.recompute()) return;
  } else {
    m_redrawer.redraw();
  }
  associateCurrentSnapWithPane();
  m_redrawer.deactivateDrawing();
}

void MainWindow::acceptSnapshotFromControls() { acceptSnapshot(makeSnapshotFromControls()); }

void MainWindow::setCurrentSnapshot(std::shared_ptr<Snapshot> const& snapshot) {
  takeSnapshot();
  RawImageManager::instance().getCurrentImage()->setSnapshot(snapshot);
  getPanesFromRawImage();
}

void MainWindow::associateCurrentSnapWithPane() {
  if (ParameterPane* pane = currentPane()) pane->associateSnap(makeSnapshotFromControls());
}

void MainWindow::recomputeFractal() {
  if (!m_redrawer.recompute()) return;
  associateCurrentSnapWithPane();
  m_redrawer.deactivateDrawing();
}

void MainWindow::zoomBy(double factor) {
  double const size = parseFieldNumber(fieldText(ViewField::Size)) * factor;
  // Significant digits, so that deep zooms keep their size.
  showValue(ViewField::Size, size);
  acceptSnapshotFromControls();
}

void MainWindow::zoomIn() { zoomBy(kZoomFactor); }

void MainWindow::zoomOut() { zoomBy(1.0 / kZoomFactor); }

void MainWindow::adjustNormPaneFromRawImage() {
  auto const& image = RawImageManager::instance().getCurrentImage();
  double const maximum = image->getStats().max;
  showValue(ViewField::Norm, maximum);
  image->getSnapshot()->getCore().setNorm(maximum);
}

void MainWindow::adjustNormAndRecompute() {
  double const maximum = RawImageManager::instance().getCurrentImage()->getStats().max;
  showValue(ViewField::Norm, maximum);
  acceptSnapshotFromControls();
  m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::AdjustNorm));
}

void MainWindow::smartPush(History& stack, std::shared_ptr<Snapshot> const& snapshot) {
  if (!snapshot) return;
  if (!stack.empty() && snapshot->isEqual(*stack.top())) return;
  stack.push(snapshot);
}

void MainWindow::takeSnapshot() {
  takeSnapshot_(m_back);
  updateSnapshotButtons();
}

void MainWindow::updateSnapshotButtons() {
  m_backEnabled = !m_back.empty();
  m_forwardEnabled = !m_forward.empty();
}

void MainWindow::goToSnapshot(History& from, History& to) {
  if (from.empty()) {
    updateSnapshotButtons();
    return;
  }
  std::shared_ptr<Snapshot> const target = from.top();
  bool const same = getSnapshot()->isComputationallyEqual(*target);
  // A field left by a canceled computation is no picture of the target either.
  bool needsRecompute = !same || !m_redrawer.imageIsUpToDate();
  takeSnapshot_(to);
  RawImageManager& manager = RawImageManager::instance();
  if (!same && manager.retrieveImageAndSwap(target.get(), m_redrawer.imageIsUpToDate())) {
    auto const& image = manager.getCurrentImage();
    m_redrawer.resizeDrawing(image->getWidth(), image->getHeight());
    needsRecompute = false;
    m_redrawer.retrievedCompleteImage();
  } else if (needsRecompute && m_redrawer.imageIsUpToDate()) {
    // Keep the picture being left, so that stepping forward again costs nothing.
    manager.memorizeCurrentImage();
  }
  manager.getCurrentImage()->setSnapshot(target);
  from.pop();
  getPanesFromRawImage();
  if (needsRecompute) {
    if (m_redrawer.recompute()) {
      associateCurrentSnapWithPane();
      m_redrawer.deactivateDrawing();
    }
  } else {
    m_redrawer.redraw();
    associateCurrentSnapWithPane();
    m_redrawer.deactivateDrawing();
  }
  updateSnapshotButtons();
}

}  // namespace orlenza
