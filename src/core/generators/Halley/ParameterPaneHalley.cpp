#include "core/generators/Halley/ParameterPaneHalley.h"

#include <string>
#include <utility>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/Halley/ImageComputatorHalley.h"
#include "core/generators/Halley/SnapshotHalley.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

constexpr std::string_view kCoefficientLabels[HalleyParameters::kNumCoefficients] = {
    "lbl_hal_c0", "lbl_hal_c1", "lbl_hal_c2",  "lbl_hal_c3",  "lbl_hal_c4",  "lbl_hal_c5", "lbl_hal_c6",
    "lbl_hal_c7", "lbl_hal_c8", "lbl_hal_c9", "lbl_hal_c10", "lbl_hal_c11", "lbl_hal_c12",
};

// Menu item i stands for convergence test i.
std::vector<std::string> const& convergenceItems() {
  static std::vector<std::string> const items = {"halconv_step", "halconv_modulus", "halconv_coordinate"};
  return items;
}

// The menu item a stored test computes as: 1 and 2 their own, anything else the first.
std::size_t convergenceItem(int test) { return test == 1 || test == 2 ? static_cast<std::size_t>(test) : 0; }

std::vector<PaneField> halleyFields() {
  std::vector<PaneField> fields;
  for (std::size_t k = 0; k < HalleyParameters::kNumCoefficients; ++k)
    fields.push_back({.labelKey = kCoefficientLabels[k],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneHalley::kFirstCoefficientLock + static_cast<int>(k),
                      .digits = 10});
  // No range here: the setter takes the absolute value before it clamps.
  fields.push_back({.labelKey = "lbl_hal_lambda",
                    .kind = FieldKind::Double,
                    .lockIndex = ParameterPaneHalley::kLambdaLock,
                    .digits = 10});
  fields.push_back({.labelKey = "lbl_hal_convergence",
                    .kind = FieldKind::Choice,
                    .lockIndex = ParameterPaneHalley::kConvergenceLock,
                    .choices = convergenceItems(),
                    .undoKey = "undo_convergence"});
  std::vector<std::string> analyzers;
  for (OrbitAnalyzer const* analyzer : OrbitAnalyzerController::getAnalyzers())
    analyzers.push_back(analyzer->getIdentifier());
  fields.push_back({.labelKey = "lbl_hal_analyzer",
                    .kind = FieldKind::Choice,
                    .lockIndex = ParameterPaneHalley::kAnalyzerLock,
                    .choices = std::move(analyzers),
                    .undoKey = "undo_orbit"});
  return fields;
}

SnapshotHalley const& halleySnapshot(Snapshot const* snapshot) {
  auto const* halley = dynamic_cast<SnapshotHalley const*>(snapshot);
  if (!halley) throw ORLENZA_PLATFORM_ERROR(0);
  return *halley;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneHalley>(); }

}  // namespace

ParameterPaneHalley::ParameterPaneHalley() : ParameterPane(halleyFields()) {}

bool ParameterPaneHalley::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(k_idHalley), &createPane);
}

void ParameterPaneHalley::updateFromSnapshot(Snapshot const& snapshot) {
  HalleyParameters const& parameters = halleySnapshot(&snapshot).getParameters();
  for (std::size_t k = 0; k < HalleyParameters::kNumCoefficients; ++k)
    setDoubleField(k, parameters.coefficients[k]);
  setDoubleField(kLambdaField, parameters.getLambda());
  setFieldText(kConvergenceField, convergenceItems()[convergenceItem(parameters.convergenceTest)]);
  setFieldText(kAnalyzerField, parameters.analyzerID);  // an unknown one keeps the menu's choice
}

void ParameterPaneHalley::updateToSnapshot(Snapshot& snapshot) const {
  auto* halley = dynamic_cast<SnapshotHalley*>(&snapshot);
  if (!halley) throw ORLENZA_PLATFORM_ERROR(0);
  HalleyParameters& parameters = halley->getParameters();
  for (std::size_t k = 0; k < HalleyParameters::kNumCoefficients; ++k)
    parameters.coefficients[k] = doubleFieldValue(k);
  parameters.setLambda(doubleFieldValue(kLambdaField));
  auto const& items = convergenceItems();
  std::size_t chosen = 0;
  while (chosen < items.size() && items[chosen] != fieldText(kConvergenceField)) ++chosen;
  if (chosen < items.size() && chosen != convergenceItem(parameters.convergenceTest))
    parameters.convergenceTest = static_cast<int>(chosen);
  // With no analyzer registered the menu is empty and chooses nothing.
  if (!fieldText(kAnalyzerField).empty()) parameters.analyzerID = fieldText(kAnalyzerField);
}

std::shared_ptr<Snapshot> ParameterPaneHalley::makeNewSnapshot() const { return std::make_shared<SnapshotHalley>(); }

std::shared_ptr<Snapshot> ParameterPaneHalley::getDefaultSnapshot() const {
  auto snapshot = makeNewSnapshot();
  snapshot->getCore().setNorm(32.0);
  return snapshot;
}

std::shared_ptr<Snapshot> ParameterPaneHalley::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  HalleyParameters parameters = halleySnapshot(current.get()).getParameters();

  for (std::size_t k = 0; k < HalleyParameters::kNumCoefficients; ++k) {
    if (!parameterIsUnlocked(kFirstCoefficientLock + static_cast<int>(k))) continue;
    if (RandomUtils::doubleRnd(0, 1) < 0.5)
      parameters.coefficients[k] = RandomUtils::intRnd(1, 99);
    else
      parameters.coefficients[k] = 0;
  }
  if (parameterIsUnlocked(kLambdaLock)) parameters.setLambda(RandomUtils::doubleRnd(0.5, 1.5));
  if (parameterIsUnlocked(kConvergenceLock)) {
    double const r = RandomUtils::doubleRnd(0, 1);
    parameters.convergenceTest = r < 0.6 ? 0 : r < 0.8 ? 1 : 2;
  }
  if (parameterIsUnlocked(kAnalyzerLock)) {
    if (RandomUtils::doubleRnd(0, 1) < 0.5)
      parameters.analyzerID = k_idDwellAnalyzer;
    else
      parameters.analyzerID = OrbitAnalyzerController::getRandomAnalyzerIdentifier();
  }

  SnapshotCore core = current->getCore();
  core.setView(ImageComputatorHalley::defaultView());
  return std::make_shared<SnapshotHalley>(std::string(), core, parameters);
}

}  // namespace orlenza
