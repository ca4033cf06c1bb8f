#include "core/generators/EscapeTime/ParameterPaneEscapeParams.h"

#include <string>
#include <utility>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/EscapeIterator.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/EscapeTime/EscapeFormula.h"
#include "core/generators/EscapeTime/ImageComputatorEscapeParams.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"
#include "core/geometry/DefaultGeometry.h"
#include "core/model/Gradation.h"
#include "core/model/RGBColor.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

constexpr std::string_view kCoefficientLabels[EscapeParameters::kNumCoefficients] = {
    "lbl_esc_a0", "lbl_esc_a1", "lbl_esc_a2", "lbl_esc_a3", "lbl_esc_a4", "lbl_esc_a5",
    "lbl_esc_b0", "lbl_esc_b1", "lbl_esc_b2", "lbl_esc_b3", "lbl_esc_b4", "lbl_esc_b5",
};

std::vector<PaneField> escapeFields() {
  std::vector<PaneField> fields;
  for (std::size_t i = 0; i < EscapeParameters::kNumCoefficients; ++i)
    fields.push_back({.labelKey = kCoefficientLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneEscapeParams::kFirstCoefficientLock + static_cast<int>(i),
                      .digits = 10});
  fields.push_back({.labelKey = "lbl_esc_formula", .kind = FieldKind::Text});
  std::vector<std::string> analyzers;
  for (OrbitAnalyzer const* analyzer : OrbitAnalyzerController::getAnalyzers())
    analyzers.push_back(analyzer->getIdentifier());
  fields.push_back({.labelKey = "lbl_esc_analyzer",
                    .kind = FieldKind::Choice,
                    .lockIndex = ParameterPaneEscapeParams::kAnalyzerLock,
                    .choices = std::move(analyzers),
                    .undoKey = "undo_orbit"});
  return fields;
}

SnapshotEscapeParams const& escapeSnapshot(Snapshot const& snapshot) {
  auto const* escape = dynamic_cast<SnapshotEscapeParams const*>(&snapshot);
  if (!escape) throw ORLENZA_PLATFORM_ERROR(0);
  return *escape;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneEscapeParams>(); }

// The dwell of the origin: how long it lingers before it escapes.
int dwellOfOrigin(EscapeParameters const& parameters) {
  EscapeIterator iterator(parameters.coefficients, nullptr, true);
  return iterator.iterate(0.0, 0.0);
}

}  // namespace

ParameterPaneEscapeParams::ParameterPaneEscapeParams() : ParameterPane(escapeFields()) {}

bool ParameterPaneEscapeParams::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(SnapshotEscapeParams::kIdentifier), &createPane);
}

void ParameterPaneEscapeParams::updateFromSnapshot(Snapshot const& snapshot) {
  EscapeParameters const& parameters = escapeSnapshot(snapshot).getParameters();
  for (std::size_t i = 0; i < EscapeParameters::kNumCoefficients; ++i)
    setDoubleField(i, parameters.coefficients[i]);
  adaptFormulaFromParameters();
  setFieldText(kAnalyzerField, parameters.analyzerID);  // an unknown one keeps the menu's choice
}

void ParameterPaneEscapeParams::updateToSnapshot(Snapshot& snapshot) const {
  auto* escape = dynamic_cast<SnapshotEscapeParams*>(&snapshot);
  if (!escape) throw ORLENZA_PLATFORM_ERROR(0);
  EscapeParameters& parameters = escape->getParameters();
  for (std::size_t i = 0; i < EscapeParameters::kNumCoefficients; ++i)
    parameters.coefficients[i] = doubleFieldValue(i);
  // With no analyzer registered the menu is empty and chooses nothing.
  if (!fieldText(kAnalyzerField).empty()) parameters.analyzerID = fieldText(kAnalyzerField);
}

std::shared_ptr<Snapshot> ParameterPaneEscapeParams::makeNewSnapshot() const {
  return std::make_shared<SnapshotEscapeParams>();
}

std::shared_ptr<Snapshot> ParameterPaneEscapeParams::getDefaultSnapshot() const {
  SnapshotCore core;
  core.setView(View(0.723631, -0.396063, 0.058555, 0, false, true));
  core.setGeometry(std::make_shared<DefaultGeometry>());
  GradationInfo gradation;  // black, red, yellow, red, black
  gradation.auxiliary.scale = 8;
  gradation.auxiliary.offset = 0;
  core.setGradationInfo(gradation);
  core.setPostfilteringID("pf_none");
  core.setPostfilteringParam(0);
  core.setNormalizerID("norm_lin");
  core.setNorm(1024);
  core.setFloor(0);
  core.setCeiling(1);
  return std::make_shared<SnapshotEscapeParams>(std::string(), core, EscapeParameters());
}

std::shared_ptr<Snapshot> ParameterPaneEscapeParams::makeRandomSnap(
    std::shared_ptr<Snapshot const> const& current) const {
  if (!current) throw ORLENZA_PLATFORM_ERROR(0);
  EscapeParameters parameters = escapeSnapshot(*current).getParameters();

  // Locked coefficients can make the wanted dwell impossible (a0 locked at
  // 2000 escapes at once), so the search gives up after kMaxRandomDraws draws
  // and keeps the last one.
  for (int draw = 0; draw < kMaxRandomDraws; ++draw) {
    bool drewAny = false;
    for (std::size_t i = 0; i < EscapeParameters::kNumCoefficients; ++i) {
      if (!parameterIsUnlocked(kFirstCoefficientLock + static_cast<int>(i))) continue;
      parameters.coefficients[i] = RandomUtils::doubleRnd(-2.0, 2.0);
      drewAny = true;
    }
    if (!drewAny) break;
    int const dwell = dwellOfOrigin(parameters);
    if (dwell >= kMinRandomDwell && dwell <= kMaxRandomDwell) break;
  }

  if (parameterIsUnlocked(kAnalyzerLock)) {
    if (RandomUtils::doubleRnd(0, 1) < 0.8)
      parameters.analyzerID = "OA_Dwell";
    else
      parameters.analyzerID = OrbitAnalyzerController::getRandomAnalyzerIdentifier();
  }

  SnapshotCore core = current->getCore();
  core.setView(ImageComputatorEscapeParams::defaultView());
  return std::make_shared<SnapshotEscapeParams>(std::string(), core, parameters);
}

void ParameterPaneEscapeParams::fieldCommitted(std::size_t field, CommitKey key) {
  if (field < EscapeParameters::kNumCoefficients)
    adaptFormulaFromParameters();
  else if (field == kFormulaField && key == CommitKey::Return)
    adaptParametersFromFormula();
}

void ParameterPaneEscapeParams::adaptFormulaFromParameters() {
  std::array<double, EscapeParameters::kNumCoefficients> coefficients{};
  for (std::size_t i = 0; i < coefficients.size(); ++i) coefficients[i] = doubleFieldValue(i);
  setFieldText(kFormulaField, EscapeFormula::formulaFromCoefficients(coefficients));
}

void ParameterPaneEscapeParams::adaptParametersFromFormula() {
  auto const corrected = EscapeFormula::correctFormula(fieldText(kFormulaField));
  if (!corrected) return;
  setFieldText(kFormulaField, *corrected);
  auto const coefficients = EscapeFormula::coefficientsFromFormula(*corrected);
  for (std::size_t i = 0; i < coefficients.size(); ++i) setDoubleField(i, coefficients[i]);
  adjustDrawing(kFormulaField);
}

}  // namespace orlenza
