#include "core/generators/Grid/ParameterPaneGrid.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Grid/ImageComputatorGrid.h"
#include "core/generators/Grid/SnapshotGrid.h"
#include "core/model/Gradation.h"
#include "core/model/GradationInfo.h"
#include "core/model/RGBColor.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

constexpr std::string_view kLabels[8] = {
    "lbl_grid_ySpacing", "lbl_grid_yWidth", "lbl_grid_yFalloff", "lbl_grid_yExponent",
    "lbl_grid_xSpacing", "lbl_grid_xWidth", "lbl_grid_xFalloff", "lbl_grid_xExponent",
};

// Menu item i stands for mode i + 1.
std::vector<std::string> const& modeItems() {
  static std::vector<std::string> const items = {"gridmode_1", "gridmode_2", "gridmode_3", "gridmode_4",
                                                 "gridmode_5"};
  return items;
}

std::size_t modeItem(int mode) { return mode >= 1 && mode <= 5 ? static_cast<std::size_t>(mode - 1) : 0; }

std::vector<PaneField> gridFields() {
  std::vector<PaneField> fields;
  for (int i = 0; i < 8; ++i)
    fields.push_back({.labelKey = kLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneGrid::kFirstDimensionLock + i,
                      .digits = 5});
  fields.push_back({.labelKey = "lbl_grid_mode",
                    .kind = FieldKind::Choice,
                    .lockIndex = ParameterPaneGrid::kModeLock,
                    .choices = modeItems()});
  fields.push_back({.labelKey = "lbl_grid_checker", .kind = FieldKind::CheckBox, .lockIndex = ParameterPaneGrid::kCheckerLock});
  return fields;
}

SnapshotGrid const& gridSnapshot(Snapshot const* snapshot) {
  auto const* grid = dynamic_cast<SnapshotGrid const*>(snapshot);
  if (!grid) throw ORLENZA_PLATFORM_ERROR(0);
  return *grid;
}

double& dimensionValue(GridParameters& p, int i) {
  DimensionParams& d = i < 4 ? p.yDim : p.xDim;
  switch (i % 4) {
    case 0:
      return d.spacing;
    case 1:
      return d.lineWidth;
    case 2:
      return d.falloff;
    default:
      return d.exponent;
  }
}

void drawDimension(DimensionParams& d, int firstLock, AbstractParameterPane const& pane) {
  if (pane.parameterIsUnlocked(firstLock)) d.spacing = RandomUtils::doubleRnd(0.1, 1.0);
  if (pane.parameterIsUnlocked(firstLock + 1)) {
    if (RandomUtils::doubleRnd(0, 1) < 0.25)
      d.lineWidth = 0;
    else
      d.lineWidth = RandomUtils::doubleRnd(0, 0.5) * d.spacing;
  }
  if (pane.parameterIsUnlocked(firstLock + 2)) d.falloff = RandomUtils::doubleRnd(0, 0.5) * d.spacing;
  if (pane.parameterIsUnlocked(firstLock + 3)) d.exponent = RandomUtils::doubleRnd(1.0, 5.0);
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneGrid>(); }

}  // namespace

ParameterPaneGrid::ParameterPaneGrid() : ParameterPane(gridFields()) {}

bool ParameterPaneGrid::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(SnapshotGrid::kIdentifier), &createPane);
}

void ParameterPaneGrid::updateFromSnapshot(Snapshot const& snapshot) {
  GridParameters parameters = gridSnapshot(&snapshot).getParameters();
  for (int i = 0; i < 8; ++i) setDoubleField(static_cast<std::size_t>(i), dimensionValue(parameters, i));
  setFieldText(kModeField, modeItems()[modeItem(parameters.mode)]);
  setCheckField(kCheckerField, parameters.checker);
}

void ParameterPaneGrid::updateToSnapshot(Snapshot& snapshot) const {
  auto* grid = dynamic_cast<SnapshotGrid*>(&snapshot);
  if (!grid) throw ORLENZA_PLATFORM_ERROR(0);
  GridParameters& parameters = grid->getParameters();
  for (int i = 0; i < 8; ++i) dimensionValue(parameters, i) = doubleFieldValue(static_cast<std::size_t>(i));
  auto const& items = modeItems();
  std::size_t chosen = 0;
  while (chosen < items.size() && items[chosen] != fieldText(kModeField)) ++chosen;
  if (chosen < items.size() && chosen != modeItem(parameters.mode)) parameters.mode = static_cast<int>(chosen) + 1;
  parameters.checker = checkFieldValue(kCheckerField);
  parameters.forceValid();
}

std::shared_ptr<Snapshot> ParameterPaneGrid::makeNewSnapshot() const { return std::make_shared<SnapshotGrid>(); }

std::shared_ptr<Snapshot> ParameterPaneGrid::getDefaultSnapshot() const {
  auto snapshot = makeNewSnapshot();
  SnapshotCore& core = snapshot->getCore();
  core.setView(View(0, 0, 10, 0, false, false));
  core.setNorm(1);
  Gradation gradation;
  gradation.setColor(0.0, k_RGBwhite);
  gradation.setColor(1.0, k_RGBblack);
  core.setGradationInfo(GradationInfo(gradation, 1, 0));
  return snapshot;
}

std::shared_ptr<Snapshot> ParameterPaneGrid::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  GridParameters parameters = gridSnapshot(current.get()).getParameters();
  drawDimension(parameters.yDim, kFirstDimensionLock, *this);
  drawDimension(parameters.xDim, kFirstDimensionLock + 4, *this);
  if (parameterIsUnlocked(kModeLock)) parameters.mode = RandomUtils::intRnd(1, 5);
  if (parameterIsUnlocked(kCheckerLock)) parameters.checker = RandomUtils::doubleRnd(0, 1) < 0.2;

  SnapshotCore core = current->getCore();
  core.setView(ImageComputatorGrid::defaultView());
  return std::make_shared<SnapshotGrid>(std::string(), core, parameters);
}

}  // namespace orlenza
