#include "core/control/MainWindow.h"

#include <algorithm>
#include <cassert>
#include <iostream>
#include <utility>

#include "core/control/RawImageManager.h"
#include "core/base/PlatformError.h"
#include "core/engine/ImageComputator.h"
#include "core/engine/Normalizer.h"
#include "core/geometry/GeometryFactory.h"
#include "core/model/Snapshot.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/GeometryPane.h"
#include "core/panes/ParameterPane.h"

namespace orlenza {

namespace {
// Significant digits shown, in WindowField order; the gradation's scale and
// offset are single-precision numbers.
constexpr int kDigits[kWindowFieldCount] = {10, 10, 10, 5, 10, 5, 5, 10, 10, 7, 7};
constexpr bool kSinglePrecision[kWindowFieldCount] = {false, false, false, false, false, false,
                                                      false, false, false, true,  true};

int index(WindowField field) { return static_cast<int>(field); }

std::vector<std::string> paneTexts(AbstractParameterPane const* pane) {
  std::vector<std::string> texts;
  if (!pane) return texts;
  for (std::size_t i = 0; i < pane->fieldCount(); ++i) texts.push_back(pane->fieldText(i));
  return texts;
}

std::string undoKeyOf(AbstractParameterPane const* pane, std::size_t field) {
  if (pane && field < pane->fieldCount()) return std::string(pane->fields()[field].undoKey);
  return "undo_typing";
}
}  // namespace

MainWindow::MainWindow(Redrawer& redrawer, SnapshotControllerIntf& controller)
    : m_redrawer(redrawer),
      m_controller(controller),
      m_normalizerMenu(normalizerIdentifiersInMenuOrder()),
      m_geometryMenu(GeometryFactory::getIdentifiers()),
      m_generatorMenu(GeneratorCatalogue::getNames()) {
  for (int i = 0; i < kWindowFieldCount; ++i) m_fields[i] = NumberField(kDigits[i], kSinglePrecision[i]);
}

std::shared_ptr<Snapshot> const& MainWindow::getSnapshot() const {
  return RawImageManager::instance().getCurrentImage()->getSnapshot();
}

NumberField const& MainWindow::numberField(WindowField field) const {
  if (field == WindowField::FirstPostfilterParam) return m_postfilters[0].parameter();
  if (field == WindowField::SecondPostfilterParam) return m_postfilters[1].parameter();
  return m_fields[index(field)];
}

NumberField& MainWindow::mutableField(WindowField field) { return const_cast<NumberField&>(numberField(field)); }

void MainWindow::setFieldText(WindowField field, std::string text) { mutableField(field).setText(std::move(text)); }

void MainWindow::showValue(WindowField field, double value) { mutableField(field).show(value); }

bool MainWindow::fieldEnabled(WindowField field) const {
  if (field == WindowField::FirstPostfilterParam) return m_postfilters[0].parameterEnabled();
  if (field == WindowField::SecondPostfilterParam) return m_postfilters[1].parameterEnabled();
  return true;
}

void MainWindow::typeIntoField(WindowField field, std::string text) {
  if (!fieldEnabled(field)) return;
  setFieldText(field, std::move(text));
  reportFieldEdit(FieldRef::window(field), false);
}

void MainWindow::setFlipBoxes(bool flipH, bool flipV) {
  m_flipH = flipH;
  m_flipV = flipV;
}

AbstractParameterPane* MainWindow::paneAt(ControlPlace place) const {
  switch (place) {
    case ControlPlace::GeneratorPane:
      return m_panes.currentPane();
    case ControlPlace::GeometryPane:
      return m_geometryPanes.currentPane();
    case ControlPlace::Window:
      break;
  }
  return nullptr;
}

GeometryPane* MainWindow::currentGeometryPane() const {
  return dynamic_cast<GeometryPane*>(m_geometryPanes.currentPane());
}

void MainWindow::typeIntoPaneField(ControlPlace place, std::size_t field, std::string text) {
  AbstractParameterPane* pane = paneAt(place);
  if (!pane || field >= pane->fieldCount()) return;
  pane->setFieldText(field, std::move(text));
  pane->adjustDrawing(field);
}

void MainWindow::reportFieldEdit(FieldRef field, bool tabbed) {
  if (field.place == ControlPlace::Window) {
    m_redrawer.adjustDrawing();
    m_currentControl = tabOf(field);
    m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::TextField));
    return;
  }
  AbstractParameterPane* pane = paneAt(field.place);
  if (!pane || field.index >= pane->fieldCount()) return;
  if (tabbed) pane->fieldCommitted(field.index, CommitKey::Tab);
  pane->adjustDrawing(field.index);
}

std::vector<FieldRef> MainWindow::tabOrder() const {
  std::vector<FieldRef> order;
  for (int i = 0; i < kWindowFieldCount; ++i)
    if (fieldEnabled(static_cast<WindowField>(i))) order.push_back(FieldRef::window(static_cast<WindowField>(i)));
  for (ControlPlace place : {ControlPlace::GeneratorPane, ControlPlace::GeometryPane}) {
    AbstractParameterPane const* pane = paneAt(place);
    if (!pane) continue;
    for (auto field = pane->getFirstTextBox(); field; field = pane->getNextTextBox(*field))
      order.push_back({place, *field});
  }
  return order;
}

void MainWindow::pressTab(bool shift) {
  std::vector<FieldRef> const order = tabOrder();
  if (order.empty()) return;
  if (!m_focus) {
    m_focus = shift ? order.back() : order.front();
    return;
  }
  reportFieldEdit(*m_focus, true);
  auto const at = std::find(order.begin(), order.end(), *m_focus);
  std::size_t const n = order.size();
  std::size_t const i = at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin());
  m_focus = order[shift ? (i + n - 1) % n : (i + 1) % n];
}

void MainWindow::pressReturn() {
  if (m_focus && m_focus->place != ControlPlace::Window) {
    AbstractParameterPane* pane = paneAt(m_focus->place);
    if (pane && m_focus->index < pane->fieldCount()) pane->fieldCommitted(m_focus->index, CommitKey::Return);
  }
  acceptSnapshot(makeSnapshotFromControls());
}

template <class F>
void MainWindow::handlePopUp(F&& handler) {
  try {
    handler();
  } catch (PlatformError const& error) {
    std::cerr << error.what() << '\n';
  }
}

void MainWindow::normalizingMenuSelection(int index) {
  handlePopUp([&] {
    if (!m_normalizerMenu.select(index)) return;
    m_currentControl = ControlTab::Colouring;
    m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::Normalizer));
    m_redrawer.adjustDrawing();
  });
}

void MainWindow::postfilterMenuSelection(int which, int index) {
  handlePopUp([&] {
    if (!m_postfilters[which == 0 ? 0 : 1].choose(index)) return;
    m_currentControl = ControlTab::Colouring;
    m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::PostFilter));
    m_redrawer.adjustDrawing();
  });
}

void MainWindow::geometryMenuSelection(int index) {
  handlePopUp([&] {
    if (!m_geometryMenu.enabled() || !m_geometryMenu.select(index)) return;
    m_geometryPanes.switchToPane(m_geometryMenu.identifier(), &m_geometryListener);
    if (GeometryPane* pane = currentGeometryPane())
      if (auto geometry = pane->getDefaultGeometry()) pane->updateFromGeometry(*geometry);
    adjustGeometryWarning();
    // Reported like every other pop-up, so that the choice can be undone.
    m_currentControl = ControlTab::Geometry;
    m_controller.currentSnapshotControlsChanged(copyUndoString(WindowControl::PopUp));
    m_redrawer.adjustDrawing();
  });
}

void MainWindow::adjustGeometryWarning() {
  GeometryWarning warning;
  ParameterPane const* generator = currentPane();
  GeometryPane const* geometryPane = currentGeometryPane();
  std::shared_ptr<Geometry> const kind = geometryPane ? geometryPane->getDefaultGeometry() : nullptr;
  if (generator && generator->usesInverseGeometry() && kind && !kind->hasProperInverse())
    warning.inverseWarningShown = true;
  if (generator && generator->ignoresGeometry()) {
    warning.ignoredWarningShown = true;
    warning.popUpEnabled = false;
  }
  m_geometryWarning = warning;
  m_geometryMenu.setEnabled(warning.popUpEnabled);
}

void MainWindow::paramPaneMenuSelection(int index) {
  handlePopUp([&] {
    if (index < 0 || index >= static_cast<int>(m_generatorMenu.items().size())) return;
    switchToParameterPane(m_generatorMenu.items()[static_cast<std::size_t>(index)]);
  });
}

void MainWindow::generatorArrowClicked(ArrowPart part) {
  selectGeneratorWithArrows(m_generatorMenu.index() + (part == ArrowPart::Up ? 1 : -1));
}

void MainWindow::selectGeneratorWithArrows(int value) { paramPaneMenuSelection(GeneratorCatalogue::wrapGeneratorIndex(value)); }

void MainWindow::setCurrentGradation(Gradation const& gradation, bool apply) {
  m_settings.getGradationInfo().gradation = gradation;
  if (apply) acceptSnapshotFromControls();
}

std::vector<std::string> MainWindow::geometryPaneTexts() const { return paneTexts(m_geometryPanes.currentPane()); }

std::shared_ptr<Snapshot> MainWindow::makeSnapshotFromControls() const {
  ParameterPane* pane = currentPane();
  assert(pane && "a generator pane is shown");
  std::shared_ptr<Snapshot> snapshot;
  if (m_shown && m_shown->getIdentifier() == m_panes.currentIdentifier() && paneTexts(pane) == m_shownPaneTexts) {
    snapshot = m_shown->clone();
  } else {
    snapshot = pane->makeNewSnapshot();
    pane->updateToSnapshot(*snapshot);
  }
  auto value = [this](WindowField field) { return numberField(field).value(); };
  SnapshotCore core = m_settings;
  GradationInfo& gradation = core.getGradationInfo();
  gradation.auxiliary.scale = value(WindowField::GradationScale);
  gradation.auxiliary.offset = value(WindowField::GradationOffset);
  core.setView(View(value(WindowField::CenterX), value(WindowField::CenterY), value(WindowField::Size),
                    value(WindowField::Angle), m_flipH, m_flipV));
  core.setNorm(value(WindowField::Norm));
  core.setFloor(value(WindowField::Floor));
  core.setCeiling(value(WindowField::Ceiling));
  core.setPostfilteringID(m_postfilters[0].menu().identifier());
  core.setSecondPostfilteringID(m_postfilters[1].menu().identifier());
  core.setPostfilteringParam(m_postfilters[0].parameter().value());
  core.setSecondPostfilteringParam(m_postfilters[1].parameter().value());
  core.setNormalizerID(m_normalizerMenu.identifier());
  GeometryPane const* geometryPane = currentGeometryPane();
  bool const geometryUntouched = m_geometryPanes.currentIdentifier() == m_settings.getGeometry()->getIdentifier() &&
                                 geometryPaneTexts() == m_shownGeometryTexts;
  if (geometryPane && !geometryUntouched) geometryPane->updateToGeometry(core);
  snapshot->setCore(core);
  snapshot->setName("");
  return snapshot;
}

void MainWindow::showGeometry(std::shared_ptr<Geometry> const& geometry) {
  m_geometryPanes.switchToPane(geometry->getIdentifier(), &m_geometryListener);
  if (GeometryPane* pane = currentGeometryPane()) pane->updateFromGeometry(*geometry);
  m_geometryMenu.show(geometry->getIdentifier());
  m_shownGeometryTexts = geometryPaneTexts();
  adjustGeometryWarning();
}

void MainWindow::adjustPanesToSnapshot(std::shared_ptr<Snapshot> const& snapshot) {
  assert(snapshot && "a snapshot to show");
  m_panes.switchToPane(snapshot->getIdentifier(), this);
  currentPane()->updateFromSnapshot(*snapshot);
  m_generatorMenu.show(snapshot->getIdentifier());
  SnapshotCore const& core = snapshot->getCore();
  m_settings = core;
  showGeometry(core.getGeometry());
  View const& view = core.getView();
  GradationAuxiliaryInfo const& auxiliary = core.getGradationInfo().auxiliary;
  showValue(WindowField::CenterX, view.getCenterX());
  showValue(WindowField::CenterY, view.getCenterY());
  showValue(WindowField::Size, view.getSize());
  showValue(WindowField::Angle, view.getAngle());
  showValue(WindowField::Norm, core.getNorm());
  showValue(WindowField::Floor, core.getFloor());
  showValue(WindowField::Ceiling, core.getCeiling());
  showValue(WindowField::GradationScale, auxiliary.scale);
  showValue(WindowField::GradationOffset, auxiliary.offset);
  setFlipBoxes(view.getFlipH(), view.getFlipV());
  m_postfilters[0].adjustToID(core.getPostfilteringID(), core.getPostfilteringParam());
  m_postfilters[1].adjustToID(core.getSecondPostfilteringID(), core.getSecondPostfilteringParam());
  m_normalizerMenu.show(core.getNormalizerID());
  m_shown = snapshot->clone();
  m_shownPaneTexts = paneTexts(currentPane());
}

void MainWindow::getPanesFromRawImage() { adjustPanesToSnapshot(getSnapshot()); }

AbstractImageComputator* MainWindow::getCurrentComputator() const {
  return AbstractImageComputator::getComputatorFromID(m_panes.currentIdentifier());
}

void MainWindow::switchToParameterPane(std::string const& identifier) {
  std::shared_ptr<Snapshot> shown = m_panes.switchToGenerator(identifier, this);
  adjustPanesToSnapshot(shown);
  m_controller.currentGeneratorChanged();
  // The new generator's picture is drawn at once; a stopped drawing leaves Draw lit.
  acceptSnapshotFromControls();
  if (!m_redrawer.imageIsUpToDate()) m_redrawer.activateDrawing();
  m_controller.takeNewCurrentSnap(makeSnapshotFromControls());
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

ControlTab MainWindow::tabOf(FieldRef field) {
  switch (field.place) {
    case ControlPlace::GeneratorPane:
      return ControlTab::Generator;
    case ControlPlace::GeometryPane:
      return ControlTab::Geometry;
    case ControlPlace::Window:
      break;
  }
  switch (static_cast<WindowField>(field.index)) {
    case WindowField::CenterX:
    case WindowField::CenterY:
    case WindowField::Size:
    case WindowField::Angle:
      return ControlTab::View;
    case WindowField::Norm:
    case WindowField::Floor:
    case WindowField::Ceiling:
    case WindowField::FirstPostfilterParam:
    case WindowField::SecondPostfilterParam:
    case WindowField::GradationScale:
    case WindowField::GradationOffset:
      return ControlTab::Colouring;
  }
  return ControlTab::View;
}

void MainWindow::currentSnapshotControlsChanged(std::size_t field) {
  m_currentControl = ControlTab::Generator;
  m_controller.currentSnapshotControlsChanged(undoKeyOf(currentPane(), field));
}

void MainWindow::GeometryPaneListener::currentSnapshotControlsChanged(std::size_t field) {
  m_window.m_currentControl = ControlTab::Geometry;
  m_window.m_controller.currentSnapshotControlsChanged(undoKeyOf(m_window.m_geometryPanes.currentPane(), field));
}

std::shared_ptr<Snapshot> MainWindow::makeRandomSnap() const {
  ParameterPane* pane = currentPane();
  assert(pane && "a generator pane is shown");
  return pane->makeRandomSnap(makeSnapshotFromControls());
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
  double const size = numberField(WindowField::Size).value() * factor;
  // Significant digits, so that deep zooms keep their size.
  showValue(WindowField::Size, size);
  acceptSnapshotFromControls();
}

void MainWindow::zoomIn() { zoomBy(kZoomFactor); }

void MainWindow::zoomOut() { zoomBy(1.0 / kZoomFactor); }

void MainWindow::adjustNormPaneFromRawImage() {
  auto const& image = RawImageManager::instance().getCurrentImage();
  double const maximum = image->getStats().max;
  showValue(WindowField::Norm, maximum);
  image->getSnapshot()->getCore().setNorm(maximum);
}

void MainWindow::adjustNormAndRecompute() {
  double const maximum = RawImageManager::instance().getCurrentImage()->getStats().max;
  showValue(WindowField::Norm, maximum);
  acceptSnapshotFromControls();
  m_currentControl = ControlTab::Colouring;
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
