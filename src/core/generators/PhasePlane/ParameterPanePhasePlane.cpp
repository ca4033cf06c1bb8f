#include "core/generators/PhasePlane/ParameterPanePhasePlane.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/model/Gradation.h"
#include "core/model/RGBColor.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using P = PhasePlaneParameters;

constexpr std::string_view kCoefficientLabels[] = {"lbl_pp_k1", "lbl_pp_k2", "lbl_pp_k3", "lbl_pp_k4",
                                                   "lbl_pp_k5"};

std::vector<PaneField> phasePlaneFields(int numParams) {
  std::vector<PaneField> fields;
  for (int i = 0; i < numParams; ++i)
    fields.push_back({.labelKey = kCoefficientLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPanePhasePlane::kFirstCoefficientLock + i,
                      .digits = ParameterPanePhasePlane::kDigits});
  fields.push_back({.labelKey = "lbl_pp_stepSize",
                    .kind = FieldKind::Double,
                    .lockIndex = ParameterPanePhasePlane::kStepSizeLock,
                    .digits = ParameterPanePhasePlane::kDigits});
  fields.push_back({.labelKey = "lbl_pp_gridDivisions",
                    .kind = FieldKind::Integer,
                    .lockIndex = ParameterPanePhasePlane::kGridDivisionsLock,
                    .minimum = P::kMinGridDivisions,
                    .maximum = P::kMaxGridDivisions});
  fields.push_back({.labelKey = "lbl_pp_numSteps",
                    .kind = FieldKind::Integer,
                    .lockIndex = ParameterPanePhasePlane::kNumStepsLock,
                    .minimum = 0,
                    .maximum = P::kMaxSteps});
  return fields;
}

template <class Pane>
std::unique_ptr<AbstractParameterPane> createPane() {
  return std::make_unique<Pane>();
}

template <class Pane>
bool registerPane() {
  return ParameterPaneFactory::registerCreator(std::string(Pane::Function::kIdentifier), &createPane<Pane>);
}

}  // namespace

ParameterPanePhasePlane::ParameterPanePhasePlane(int numParams, phaseplane::RandomRule rule)
    : ParameterPane(phasePlaneFields(numParams)), m_numParams(numParams), m_rule(rule) {}

void ParameterPanePhasePlane::updateFromSnapshot(Snapshot const& snapshot) {
  SnapshotPhasePlane const* own = ownKind(snapshot);
  if (own == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  P const& parameters = own->getParameters();
  for (int i = 0; i < m_numParams; ++i) {
    auto const index = static_cast<std::size_t>(i);
    setDoubleField(index, index < parameters.parameters.size() ? parameters.parameters[index] : 1.0);
  }
  setDoubleField(stepSizeField(), parameters.stepSize);
  setIntegerField(gridDivisionsField(), P::clampGridDivisions(parameters.gridDivisions));
  setIntegerField(numStepsField(), P::clampSteps(parameters.numSteps));
}

void ParameterPanePhasePlane::updateToSnapshot(Snapshot& snapshot) const {
  if (ownKind(snapshot) == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  auto& own = static_cast<SnapshotPhasePlane&>(snapshot);
  P parameters = own.getParameters();
  parameters.parameters.resize(static_cast<std::size_t>(m_numParams), 1.0);
  for (int i = 0; i < m_numParams; ++i)
    parameters.parameters[static_cast<std::size_t>(i)] = doubleFieldValue(static_cast<std::size_t>(i));
  parameters.stepSize = doubleFieldValue(stepSizeField());
  parameters.gridDivisions = P::clampGridDivisions(integerFieldValue(gridDivisionsField()));
  parameters.numSteps = P::clampSteps(integerFieldValue(numStepsField()));
  own.setParameters(parameters);
}

std::shared_ptr<Snapshot> ParameterPanePhasePlane::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  if (!current) throw ORLENZA_PLATFORM_ERROR(0);
  SnapshotPhasePlane const* own = ownKind(*current);
  if (own == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  P parameters = own->getParameters();
  parameters.parameters.resize(static_cast<std::size_t>(m_numParams), 1.0);
  auto& k = parameters.parameters;
  auto const unlocked = [this](int i) { return parameterIsUnlocked(kFirstCoefficientLock + i); };
  // Half the time zero, otherwise drawn in [lo, hi].
  auto const sometimes = [](double lo, double hi) {
    return RandomUtils::doubleRnd(0, 1) < 0.5 ? 0.0 : RandomUtils::doubleRnd(lo, hi);
  };
  if (m_rule == phaseplane::RandomRule::PolynomialSine) {
    if (unlocked(0)) k[0] = RandomUtils::doubleRnd(-5, 5);
    if (unlocked(1)) k[1] = RandomUtils::doubleRnd(-5, 5);
    if (unlocked(2)) k[2] = sometimes(-1, 1);
    if (unlocked(3)) k[3] = sometimes(-5, 5);
    if (unlocked(4)) k[4] = RandomUtils::doubleRnd(-5, 5);
  } else {
    for (int i = 0; i < m_numParams; ++i)
      if (unlocked(i)) k[static_cast<std::size_t>(i)] = RandomUtils::doubleRnd(-5, 5);
  }
  if (parameterIsUnlocked(kStepSizeLock)) parameters.stepSize = RandomUtils::intRnd(1, 50) / 100.0;
  if (parameterIsUnlocked(kGridDivisionsLock)) parameters.gridDivisions = 10 * RandomUtils::intRnd(1, 4) + 20;
  if (parameterIsUnlocked(kNumStepsLock))
    parameters.numSteps = RandomUtils::doubleRnd(0, 1) < 0.5 ? 50 : 50 * RandomUtils::intRnd(1, 4);

  SnapshotCore core = current->getCore();
  core.setView(phasePlaneDefaultView());
  return makeSnapshot(core, parameters);
}

std::shared_ptr<Snapshot> ParameterPanePhasePlane::makeDefaultSnapshot(std::shared_ptr<SnapshotPhasePlane> snapshot,
                                                                       double const* coefficients, double stepSize,
                                                                       double norm) const {
  SnapshotCore& core = snapshot->getCore();
  core.setView(phasePlaneDefaultView());
  core.setPostfilteringID("pf_AntialiasingLight");
  core.setNormalizerID("norm_sqrt");
  core.setNorm(norm);
  Gradation gradation;
  gradation.setColor(0.0, k_RGBwhite);
  gradation.setColor(1.0, k_RGBblack);
  core.setGradationInfo(GradationInfo(gradation, 1, 0));
  P parameters(static_cast<std::size_t>(m_numParams));
  std::copy_n(coefficients, m_numParams, parameters.parameters.begin());
  parameters.stepSize = stepSize;
  snapshot->setParameters(parameters);
  return snapshot;
}

bool ParameterPanePPxsin::registerCreator() { return registerPane<ParameterPanePPxsin>(); }
bool ParameterPanePPsinprod::registerCreator() { return registerPane<ParameterPanePPsinprod>(); }
bool ParameterPanePPtan::registerCreator() { return registerPane<ParameterPanePPtan>(); }

}  // namespace orlenza
