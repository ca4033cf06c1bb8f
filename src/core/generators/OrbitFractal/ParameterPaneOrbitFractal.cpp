#include "core/generators/OrbitFractal/ParameterPaneOrbitFractal.h"

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

constexpr std::string_view kParameterLabels[] = {"lbl_frac_p0", "lbl_frac_p1", "lbl_frac_p2"};

template <class Pane>
std::vector<PaneField> orbitFractalFields() {
  std::vector<PaneField> fields;
  for (int i = 0; i < 3; ++i)
    fields.push_back({.labelKey = kParameterLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = Pane::kFirstParameterLock + i,
                      .digits = 10});
  fields.push_back({.labelKey = "lbl_frac_iterations",
                    .kind = FieldKind::Integer,
                    .lockIndex = Pane::kIterationsLock,
                    .minimum = Pane::Parameters::kMinIterations,
                    .maximum = Pane::Parameters::kMaxIterations});
  std::vector<std::string> analyzers;
  for (OrbitAnalyzer const* analyzer : OrbitAnalyzerController::getAnalyzers())
    analyzers.push_back(analyzer->getIdentifier());
  fields.push_back({.labelKey = "lbl_frac_analyzer",
                    .kind = FieldKind::Choice,
                    .lockIndex = Pane::kAnalyzerLock,
                    .choices = std::move(analyzers),
                    .undoKey = "undo_orbit"});
  return fields;
}

template <class Snap>
Snap const& ownKind(Snapshot const* snapshot) {
  auto const* own = dynamic_cast<Snap const*>(snapshot);
  if (own == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  return *own;
}

template <class Pane>
std::unique_ptr<AbstractParameterPane> createPane() {
  return std::make_unique<Pane>();
}

}  // namespace

template <class Snap>
ParameterPaneOrbitFractal<Snap>::ParameterPaneOrbitFractal()
    : ParameterPane(orbitFractalFields<ParameterPaneOrbitFractal>()) {}

template <class Snap>
bool ParameterPaneOrbitFractal<Snap>::registerCreator() {
  using Pane = std::conditional_t<std::is_same_v<Snap, SnapshotDynFractal>, ParameterPaneDynFractal,
                                  ParameterPaneGumFractal>;
  return ParameterPaneFactory::registerCreator(std::string(Map::kIdentifier), &createPane<Pane>);
}

template <class Snap>
void ParameterPaneOrbitFractal<Snap>::updateFromSnapshot(Snapshot const& snapshot) {
  Parameters const& parameters = ownKind<Snap>(&snapshot).getParameters();
  for (unsigned i = 0; i < Parameters::kCount; ++i) setDoubleField(kFirstParameterField + i, parameters.getParameter(i));
  setIntegerField(kIterationsField, parameters.getIterations());
  setFieldText(kAnalyzerField, parameters.analyzerID);  // an unknown one keeps the menu's choice
}

template <class Snap>
void ParameterPaneOrbitFractal<Snap>::updateToSnapshot(Snapshot& snapshot) const {
  auto* own = dynamic_cast<Snap*>(&snapshot);
  if (own == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  Parameters& parameters = own->getParameters();
  for (unsigned i = 0; i < Parameters::kCount; ++i) parameters.setParameter(i, doubleFieldValue(kFirstParameterField + i));
  parameters.setIterations(integerFieldValue(kIterationsField));
  // With no analyzer registered the menu is empty and chooses nothing.
  if (!fieldText(kAnalyzerField).empty()) parameters.analyzerID = fieldText(kAnalyzerField);
}

template <class Snap>
std::shared_ptr<Snapshot> ParameterPaneOrbitFractal<Snap>::makeRandomSnap(
    std::shared_ptr<Snapshot const> const& current) const {
  Parameters parameters = ownKind<Snap>(current.get()).getParameters();
  for (unsigned i = 0; i < Parameters::kCount; ++i)
    if (parameterIsUnlocked(kFirstParameterLock + static_cast<int>(i)))
      parameters.setParameter(i, RandomUtils::doubleRnd(-5, 5));
  if (parameterIsUnlocked(kIterationsLock)) parameters.setIterations(RandomUtils::intRnd(1, 25));
  if (parameterIsUnlocked(kAnalyzerLock) && !OrbitAnalyzerController::getAnalyzers().empty()) {
    // Bounded, so a list that held the dwell analyzer alone could not hang the draw.
    std::string drawn = k_idDwellAnalyzer;
    for (int k = 0; k < kAnalyzerDraws && drawn == k_idDwellAnalyzer; ++k)
      drawn = OrbitAnalyzerController::getRandomAnalyzerIdentifier();
    parameters.analyzerID = drawn == k_idDwellAnalyzer ? std::string(k_idDistanceAnalyzer) : drawn;
  }
  SnapshotCore core = current->getCore();
  auto const& v = Map::kRandomView;
  core.setView(View(v.centerX, v.centerY, v.size, v.angle, false, false));
  return std::make_shared<Snap>(std::string(), core, parameters);
}

template class ParameterPaneOrbitFractal<SnapshotDynFractal>;
template class ParameterPaneOrbitFractal<SnapshotGumFractal>;

}  // namespace orlenza
