#include "core/generators/DynSys/ParameterPaneDynSys.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/model/Gradation.h"
#include "core/model/RGBColor.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

constexpr std::string_view kParameterLabels[] = {"lbl_ds_p0", "lbl_ds_p1", "lbl_ds_p2",
                                                 "lbl_ds_p3", "lbl_ds_p4", "lbl_ds_p5"};

std::vector<PaneField> dynSysFields(int numParams, int multiplier) {
  std::vector<PaneField> fields;
  fields.push_back({.labelKey = multiplier == dynsys::kPaneUnitThousands ? "lbl_ds_iterationsThousands"
                                                                          : "lbl_ds_iterationsMillions",
                    .kind = FieldKind::Integer,
                    .lockIndex = ParameterPaneDynSys::kIterationsLock,
                    .minimum = 0,
                    .maximum = double(DynSysParameters::kMaxIterations / multiplier)});
  for (int i = 0; i < numParams; ++i)
    fields.push_back({.labelKey = kParameterLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneDynSys::kFirstParameterLock + i,
                      .digits = 12});
  fields.push_back({.labelKey = "lbl_ds_plotMode",
                    .kind = FieldKind::Choice,
                    .choices = {std::string(ParameterPaneDynSys::kHitCountItem),
                                std::string(ParameterPaneDynSys::kVisitTimeItem)}});
  return fields;
}

template <class Pane>
std::unique_ptr<AbstractParameterPane> createPane() {
  return std::make_unique<Pane>();
}

template <class Pane>
bool registerPane() {
  return ParameterPaneFactory::registerCreator(std::string(Pane::System::kIdentifier), &createPane<Pane>);
}

}  // namespace

ParameterPaneDynSys::ParameterPaneDynSys(int numParams, int multiplier)
    : ParameterPane(dynSysFields(numParams, multiplier)), m_numParams(numParams), m_multiplier(multiplier) {}

int ParameterPaneDynSys::iterationsFromText(std::string const& text, int multiplier) {
  double const cap = DynSysParameters::kMaxIterations / multiplier;
  double const typed = std::round(parseFieldNumber(text));
  if (std::isnan(typed)) return 0;
  return static_cast<int>(std::clamp(typed, 0.0, cap)) * multiplier;
}

SnapshotDynSys& ParameterPaneDynSys::ownKindOrThrow(Snapshot& snapshot) const {
  if (ownKind(snapshot) == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  return static_cast<SnapshotDynSys&>(snapshot);
}

void ParameterPaneDynSys::updateFromSnapshot(Snapshot const& snapshot) {
  SnapshotDynSys const* own = ownKind(snapshot);
  if (own == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  DynSysParameters const& parameters = own->getParameters();
  m_shownIterations = DynSysParameters::clampIterations(parameters.numIterations);
  setIntegerField(kIterationsField, m_shownIterations / m_multiplier);
  m_shownIterationsText = fieldText(kIterationsField);
  for (int i = 0; i < m_numParams; ++i) {
    auto const index = static_cast<std::size_t>(i);
    double const value = index < parameters.parameters.size() ? parameters.parameters[index] : 1.0;
    setDoubleField(kFirstParameterField + index, value);
  }
  setFieldText(plotModeField(), std::string(parameters.plotMode == DynSysParameters::kHitCount ? kHitCountItem
                                                                                                : kVisitTimeItem));
}

void ParameterPaneDynSys::updateToSnapshot(Snapshot& snapshot) const {
  DynSysParameters& parameters = ownKindOrThrow(snapshot).getParameters();
  std::string const& iterations = fieldText(kIterationsField);
  parameters.numIterations =
      iterations == m_shownIterationsText ? m_shownIterations : iterationsFromText(iterations, m_multiplier);
  parameters.parameters.resize(static_cast<std::size_t>(m_numParams), 1.0);
  for (int i = 0; i < m_numParams; ++i) {
    auto const index = static_cast<std::size_t>(i);
    parameters.parameters[index] = doubleFieldValue(kFirstParameterField + index);
  }
  parameters.plotMode =
      fieldText(plotModeField()) == kVisitTimeItem ? DynSysParameters::kVisitTime : DynSysParameters::kHitCount;
}

void ParameterPaneDynSys::drawParameters(DynSysParameters& parameters) const {
  for (int i = 0; i < m_numParams; ++i)
    if (parameterIsUnlocked(kFirstParameterLock + i))
      parameters.parameters[static_cast<std::size_t>(i)] = RandomUtils::doubleRnd(getMinRandom(i), getMaxRandom(i));
}

std::shared_ptr<Snapshot> ParameterPaneDynSys::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  auto const* dynSys = dynamic_cast<SnapshotDynSys const*>(current.get());
  if (dynSys == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  DynSysParameters parameters = dynSys->getParameters();  // its plot mode stays
  parameters.parameters.resize(static_cast<std::size_t>(m_numParams), 1.0);
  drawParameters(parameters);
  if (parameterIsUnlocked(kIterationsLock)) parameters.numIterations = getRandomNumIterations();
  SnapshotCore core = current->getCore();
  core.setView(getDefaultView());
  return makeSnapshot(core, parameters);
}

std::shared_ptr<Snapshot> makeDynSysDefaultSnapshot(std::shared_ptr<SnapshotDynSys> snapshot,
                                                    dynsys::ViewValues const& view, std::string_view normalizerID,
                                                    double norm, bool whiteToBlack, int numIterations,
                                                    double const* parameters) {
  SnapshotCore& core = snapshot->getCore();
  core.setView(View(view.centerX, view.centerY, view.size, view.angle, false, false));
  core.setNormalizerID(std::string(normalizerID));
  core.setNorm(norm);
  Gradation gradation;  // black at 0, white at 1
  if (whiteToBlack) {
    gradation.setColor(0.0, k_RGBwhite);
    gradation.setColor(1.0, k_RGBblack);
  }
  core.setGradationInfo(GradationInfo(gradation, 1, 0));
  DynSysParameters block(static_cast<std::size_t>(snapshot->getNumParams()));
  block.numIterations = numIterations;
  std::copy_n(parameters, block.parameters.size(), block.parameters.begin());
  block.plotMode = DynSysParameters::kHitCount;
  snapshot->setParameters(block);
  return snapshot;
}

std::shared_ptr<Snapshot> ParameterPaneDSGumowski::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  if (dynamic_cast<SnapshotDSGumowski const*>(current.get()) == nullptr) throw ORLENZA_PLATFORM_ERROR(0);
  return ParameterPaneDynSys::makeRandomSnap(current);
}

void ParameterPaneDSGumowski::drawParameters(DynSysParameters& parameters) const {
  auto& p = parameters.parameters;
  if (parameterIsUnlocked(kFirstParameterLock)) p[0] = RandomUtils::logRnd(0, 9);
  if (parameterIsUnlocked(kFirstParameterLock + 1)) p[1] = RandomUtils::doubleRnd(-1, 1);
  if (parameterIsUnlocked(kFirstParameterLock + 2)) p[2] = RandomUtils::logRnd(1, 9);
}

bool ParameterPaneDSSqrt::registerCreator() { return registerPane<ParameterPaneDSSqrt>(); }
bool ParameterPaneDSSinCos::registerCreator() { return registerPane<ParameterPaneDSSinCos>(); }
bool ParameterPaneDSSinSin::registerCreator() { return registerPane<ParameterPaneDSSinSin>(); }
bool ParameterPaneDSSin23::registerCreator() { return registerPane<ParameterPaneDSSin23>(); }
bool ParameterPaneDSSinXY::registerCreator() { return registerPane<ParameterPaneDSSinXY>(); }
bool ParameterPaneDSHop::registerCreator() { return registerPane<ParameterPaneDSHop>(); }
bool ParameterPaneDSGumowski::registerCreator() { return registerPane<ParameterPaneDSGumowski>(); }

}  // namespace orlenza
