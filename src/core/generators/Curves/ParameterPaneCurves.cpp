#include "core/generators/Curves/ParameterPaneCurves.h"

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Curves/SnapshotCurves.h"
#include "core/model/Gradation.h"
#include "core/model/GradationInfo.h"
#include "core/model/RGBColor.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using P = CurvesParameters;
using Pane = ParameterPaneCurves;

constexpr std::string_view kFrequencyLabels[2][3] = {
    {"lbl_curves_xFrequency1", "lbl_curves_xFrequency2", "lbl_curves_xFrequency3"},
    {"lbl_curves_yFrequency1", "lbl_curves_yFrequency2", "lbl_curves_yFrequency3"}};
constexpr std::string_view kPhaseLabels[2][3] = {
    {"lbl_curves_xPhase1", "lbl_curves_xPhase2", "lbl_curves_xPhase3"},
    {"lbl_curves_yPhase1", "lbl_curves_yPhase2", "lbl_curves_yPhase3"}};

// Menu item i stands for combination i.
std::vector<std::string> const& combinationItems() {
  static std::vector<std::string> const items = {"curvecomb_0", "curvecomb_1", "curvecomb_2", "curvecomb_3",
                                                 "curvecomb_4", "curvecomb_5", "curvecomb_6"};
  return items;
}

std::size_t combinationItem(int combination) {
  return combination >= 0 && combination < P::kNumCombinations ? static_cast<std::size_t>(combination) : 0;
}

void addCoordinateFields(std::vector<PaneField>& fields, bool y) {
  fields.push_back({.labelKey = y ? "lbl_curves_yCombination" : "lbl_curves_xCombination",
                    .kind = FieldKind::Choice,
                    .lockIndex = y ? Pane::kYCombinationLock : Pane::kXCombinationLock,
                    .choices = combinationItems()});
  for (int k = 0; k < 3; ++k) {
    fields.push_back({.labelKey = kFrequencyLabels[y][k],
                      .kind = FieldKind::Integer,
                      .lockIndex = Pane::frequencyLock(y, k),
                      .minimum = static_cast<double>(INT_MIN),
                      .maximum = static_cast<double>(INT_MAX)});
    fields.push_back({.labelKey = kPhaseLabels[y][k], .kind = FieldKind::Double, .lockIndex = Pane::phaseLock(y, k)});
  }
}

std::vector<PaneField> curvesFields() {
  std::vector<PaneField> fields;
  fields.push_back({.labelKey = "lbl_curves_numPoints",
                    .kind = FieldKind::Integer,
                    .lockIndex = Pane::kNumPointsLock,
                    .minimum = 0,
                    .maximum = static_cast<double>(UINT_MAX)});
  fields.push_back({.labelKey = "lbl_curves_connect", .kind = FieldKind::CheckBox, .lockIndex = Pane::kConnectLock});
  addCoordinateFields(fields, false);
  addCoordinateFields(fields, true);
  return fields;
}

SnapshotCurves const& curvesSnapshot(Snapshot const* snapshot) {
  auto const* curves = dynamic_cast<SnapshotCurves const*>(snapshot);
  if (!curves) throw ORLENZA_PLATFORM_ERROR(0);
  return *curves;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneCurves>(); }

}  // namespace

ParameterPaneCurves::ParameterPaneCurves() : ParameterPane(curvesFields()) {}

bool ParameterPaneCurves::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(P::kSnapshotIdentifier), &createPane);
}

void ParameterPaneCurves::updateFromSnapshot(Snapshot const& snapshot) {
  P const& p = curvesSnapshot(&snapshot).getParameters();
  setIntegerField(kNumPointsField, p.numPoints);
  setCheckField(kConnectField, p.connect);
  for (bool y : {false, true}) {
    int const combination = y ? p.yCombination : p.xCombination;
    P::CoordParams const& coords = y ? p.yCoords : p.xCoords;
    setFieldText(y ? kYCombinationField : kXCombinationField, combinationItems()[combinationItem(combination)]);
    for (std::size_t k = 0; k < 3; ++k) {
      setIntegerField(frequencyField(y, k), coords.terms[k].frequency);
      setDoubleField(frequencyField(y, k) + 1, coords.terms[k].phase);
    }
  }
}

void ParameterPaneCurves::updateToSnapshot(Snapshot& snapshot) const {
  auto* curves = dynamic_cast<SnapshotCurves*>(&snapshot);
  if (!curves) throw ORLENZA_PLATFORM_ERROR(0);
  P& p = curves->getParameters();
  p.numPoints = static_cast<unsigned>(integerFieldValue(kNumPointsField));
  p.connect = checkFieldValue(kConnectField);
  auto const& items = combinationItems();
  for (bool y : {false, true}) {
    int& combination = y ? p.yCombination : p.xCombination;
    P::CoordParams& coords = y ? p.yCoords : p.xCoords;
    std::string const& text = fieldText(y ? kYCombinationField : kXCombinationField);
    std::size_t const chosen = static_cast<std::size_t>(std::find(items.begin(), items.end(), text) - items.begin());
    if (chosen < items.size() && chosen != combinationItem(combination)) combination = static_cast<int>(chosen);
    for (std::size_t k = 0; k < 3; ++k) {
      coords.terms[k].frequency = static_cast<int>(integerFieldValue(frequencyField(y, k)));
      coords.terms[k].phase = doubleFieldValue(frequencyField(y, k) + 1);
    }
  }
}

std::shared_ptr<Snapshot> ParameterPaneCurves::makeNewSnapshot() const { return std::make_shared<SnapshotCurves>(); }

std::shared_ptr<Snapshot> ParameterPaneCurves::getDefaultSnapshot() const {
  auto snapshot = makeNewSnapshot();
  SnapshotCore& core = snapshot->getCore();
  core.setView(View(0, 0, 1.05, 0, false, false));
  core.setNorm(1);
  core.setNormalizerID("norm_sqrt");
  core.setPostfilteringID("pf_AntialiasingLight");
  Gradation gradation;
  gradation.setColor(0.0, k_RGBblack);
  gradation.setColor(1.0, k_RGBgreen);
  core.setGradationInfo(GradationInfo(gradation, 1, 0));
  return snapshot;
}

std::shared_ptr<Snapshot> ParameterPaneCurves::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  P p = curvesSnapshot(current.get()).getParameters();
  for (bool y : {false, true}) {
    P::CoordParams& coords = y ? p.yCoords : p.xCoords;
    for (int k = 0; k < 3; ++k) {
      P::FunctionParams& term = coords.terms[static_cast<std::size_t>(k)];
      if (parameterIsUnlocked(frequencyLock(y, k))) term.frequency = RandomUtils::intRnd(1, 15);
      if (parameterIsUnlocked(phaseLock(y, k))) {
        if (RandomUtils::doubleRnd(0, 1) >= 0.75)
          term.phase = RandomUtils::doubleRnd(-0.5, 0.5);
        else
          term.phase = RandomUtils::intRnd(1, 4) * 0.5 - 1;
      }
    }
  }
  if (parameterIsUnlocked(kXCombinationLock)) p.xCombination = RandomUtils::intRnd(0, 6);
  if (parameterIsUnlocked(kYCombinationLock)) p.yCombination = RandomUtils::intRnd(0, 6);
  if (parameterIsUnlocked(kNumPointsLock)) {
    int const m = RandomUtils::intRnd(1, 6);
    unsigned const base = m == 1 ? 10 : m == 2 ? 100 : 1000;
    p.numPoints = base * RandomUtils::intRnd(1, 6);
  }
  if (parameterIsUnlocked(kConnectLock)) p.connect = RandomUtils::doubleRnd(0, 1) > 0.2;
  double const size = 1.05 * std::max(P::getMaxValue(p.yCombination), P::getMaxValue(p.xCombination));

  SnapshotCore core = current->getCore();
  core.setView(View(0, 0, size, 0, false, false));
  return std::make_shared<SnapshotCurves>(std::string(), core, p);
}

}  // namespace orlenza
