#include "core/generators/Biomorph/ParameterPaneBiomorph.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/generators/Biomorph/SnapshotBiomorph.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using P = BiomorphParameters;

constexpr std::string_view kDoubleLabels[P::kNumIter] = {
    "lbl_bio_c0",  "lbl_bio_c1",    "lbl_bio_c2",    "lbl_bio_c3",  "lbl_bio_c4",
    "lbl_bio_c5",  "lbl_bio_sin",   "lbl_bio_exp",   "lbl_bio_pow", "lbl_bio_theta",
    "lbl_bio_phi", "lbl_bio_fixRe", "lbl_bio_fixIm",
};

using Pane = ParameterPaneBiomorph;
constexpr int kDoubleLocks[P::kNumIter] = {
    Pane::kFirstCoefficientLock,     Pane::kFirstCoefficientLock + 1, Pane::kFirstCoefficientLock + 2,
    Pane::kFirstCoefficientLock + 3, Pane::kFirstCoefficientLock + 4, Pane::kFirstCoefficientLock + 5,
    Pane::kSinLock,                  Pane::kExpLock,                  Pane::kPowLock,
    Pane::kThetaLock,                Pane::kPhiLock,                  Pane::kFixedReLock,
    Pane::kFixedImLock,
};

std::vector<PaneField> biomorphFields() {
  std::vector<PaneField> fields;
  for (unsigned i = 0; i < P::kNumIter; ++i) {
    PaneField field{.labelKey = kDoubleLabels[i], .kind = FieldKind::Double, .lockIndex = kDoubleLocks[i], .digits = 10};
    if (i == P::kTheta || i == P::kPhi) {
      field.minimum = 0;
      field.maximum = 1;
    }
    fields.push_back(field);
  }
  fields.push_back({.labelKey = "lbl_bio_numIter",
                    .kind = FieldKind::Integer,
                    .lockIndex = Pane::kNumIterLock,
                    .minimum = P::kMinIterations,
                    .maximum = P::kMaxIterations});
  fields.push_back({.labelKey = "lbl_bio_test",
                    .kind = FieldKind::CheckBox,
                    .lockIndex = Pane::kTestLock});
  std::vector<std::string> analyzers;
  for (OrbitAnalyzer const* analyzer : OrbitAnalyzerController::getAnalyzers())
    analyzers.push_back(analyzer->getIdentifier());
  fields.push_back({.labelKey = "lbl_bio_analyzer",
                    .kind = FieldKind::Choice,
                    .lockIndex = Pane::kAnalyzerLock,
                    .choices = std::move(analyzers),
                    .undoKey = "undo_orbit"});
  return fields;
}

SnapshotBiomorph const& biomorphSnapshot(Snapshot const* snapshot) {
  auto const* biomorph = dynamic_cast<SnapshotBiomorph const*>(snapshot);
  if (!biomorph) throw ORLENZA_PLATFORM_ERROR(0);
  return *biomorph;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneBiomorph>(); }

bool draw(double below) { return RandomUtils::doubleRnd(0, 1) < below; }

}  // namespace

ParameterPaneBiomorph::ParameterPaneBiomorph() : ParameterPane(biomorphFields()) {}

bool ParameterPaneBiomorph::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(k_idBiomorph), &createPane);
}

View ParameterPaneBiomorph::randomView() { return View(0, 0, 2.5, 0, false, false); }

void ParameterPaneBiomorph::updateFromSnapshot(Snapshot const& snapshot) {
  P const& parameters = biomorphSnapshot(&snapshot).getParameters();
  for (unsigned i = 0; i < P::kNumIter; ++i) setDoubleField(i, parameters.getParameter(i));
  setIntegerField(kNumIterField, parameters.getNumIter());
  setCheckField(kTestField, parameters.biomorphTest);
  setFieldText(kAnalyzerField, parameters.analyzerID);  // an unknown one keeps the menu's choice
}

void ParameterPaneBiomorph::updateToSnapshot(Snapshot& snapshot) const {
  auto* biomorph = dynamic_cast<SnapshotBiomorph*>(&snapshot);
  if (!biomorph) throw ORLENZA_PLATFORM_ERROR(0);
  P& parameters = biomorph->getParameters();
  for (unsigned i = 0; i < P::kNumIter; ++i) parameters.setParameter(i, doubleFieldValue(i));
  parameters.setNumIter(integerFieldValue(kNumIterField));
  parameters.biomorphTest = checkFieldValue(kTestField);
  // With no analyzer registered the menu is empty and chooses nothing.
  if (!fieldText(kAnalyzerField).empty()) parameters.analyzerID = fieldText(kAnalyzerField);
}

std::shared_ptr<Snapshot> ParameterPaneBiomorph::makeNewSnapshot() const {
  return std::make_shared<SnapshotBiomorph>();
}

std::shared_ptr<Snapshot> ParameterPaneBiomorph::getDefaultSnapshot() const {
  auto snapshot = std::make_shared<SnapshotBiomorph>();
  snapshot->getParameters().setTheta(1);
  snapshot->getCore().setNorm(32.0);
  return snapshot;
}

std::shared_ptr<Snapshot> ParameterPaneBiomorph::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  P parameters = biomorphSnapshot(current.get()).getParameters();
  auto const open = [this](int lock) { return parameterIsUnlocked(lock); };

  for (unsigned k = 0; k < P::kNumCoefficients; ++k)
    if (open(kFirstCoefficientLock + static_cast<int>(k)) && draw(0.5))
      parameters.coefficients[k] = RandomUtils::doubleRnd(0.5, 2.5);
  if (open(kSinLock) && draw(0.5)) parameters.sinWeight = RandomUtils::doubleRnd(0.5, 2.5);
  if (open(kExpLock) && draw(0.5)) parameters.expWeight = RandomUtils::doubleRnd(0.5, 2.5);
  if (open(kPowLock) && draw(0.1)) parameters.powWeight = RandomUtils::doubleRnd(0.5, 2.5);
  if (open(kFixedReLock) && draw(0.5)) parameters.fixedRe = RandomUtils::doubleRnd(-1.5, 1.5);
  if (open(kFixedImLock) && draw(0.5)) parameters.fixedIm = RandomUtils::doubleRnd(-1.5, 1.5);
  auto const blend = [] {
    double const r = RandomUtils::doubleRnd(0, 1);
    if (r < 0.4) return RandomUtils::doubleRnd(0, 1);
    return r < 0.7 ? 0.0 : 1.0;
  };
  if (open(kThetaLock)) parameters.setTheta(blend());
  if (open(kPhiLock)) parameters.setPhi(blend());
  if (open(kNumIterLock)) parameters.setNumIter(draw(0.75) ? 32 : RandomUtils::intRnd(3, 24));
  if (open(kAnalyzerLock))
    parameters.analyzerID =
        draw(0.5) ? std::string(k_idDwellAnalyzer) : OrbitAnalyzerController::getRandomAnalyzerIdentifier();
  if (open(kTestLock)) parameters.biomorphTest = draw(0.25);

  SnapshotCore core = current->getCore();
  core.setView(randomView());
  return std::make_shared<SnapshotBiomorph>(std::string(), core, parameters);
}

}  // namespace orlenza
