#include "core/generators/Quot/ParameterPaneQuot.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Quot/SnapshotQuot.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using P = QuotParameters;

constexpr std::string_view kLabels[P::kCount] = {
    "lbl_quot_numXX",  "lbl_quot_numX",  "lbl_quot_numXY", "lbl_quot_numY",  "lbl_quot_numYY", "lbl_quot_numConst",
    "lbl_quot_denXX",  "lbl_quot_denX",  "lbl_quot_denXY", "lbl_quot_denY",  "lbl_quot_denYY", "lbl_quot_denConst",
    "lbl_quot_xMin",   "lbl_quot_xMax",  "lbl_quot_yMin",  "lbl_quot_yMax",  "lbl_quot_amplitude",
};

std::vector<PaneField> quotFields() {
  std::vector<PaneField> fields;
  for (unsigned i = 0; i < P::kCount; ++i)
    fields.push_back({.labelKey = kLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneQuot::kFirstLock + static_cast<int>(i),
                      .digits = 5});
  return fields;
}

SnapshotQuot const& quotSnapshot(Snapshot const& snapshot) {
  auto const* quot = dynamic_cast<SnapshotQuot const*>(&snapshot);
  if (!quot) throw ORLENZA_PLATFORM_ERROR(0);
  return *quot;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneQuot>(); }

}  // namespace

ParameterPaneQuot::ParameterPaneQuot() : ParameterPane(quotFields()) {}

bool ParameterPaneQuot::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(SnapshotQuot::kIdentifier), &createPane);
}

View ParameterPaneQuot::pictureView() { return View(0, 0, 6.25, 0, false, false); }

void ParameterPaneQuot::updateFromSnapshot(Snapshot const& snapshot) {
  P const& parameters = quotSnapshot(snapshot).getParameters();
  for (unsigned i = 0; i < P::kCount; ++i) setDoubleField(i, parameters.getParameter(i));
}

void ParameterPaneQuot::updateToSnapshot(Snapshot& snapshot) const {
  auto* quot = dynamic_cast<SnapshotQuot*>(&snapshot);
  if (!quot) throw ORLENZA_PLATFORM_ERROR(0);
  P& parameters = quot->getParameters();
  for (unsigned i = 0; i < P::kCount; ++i) parameters.setParameter(i, doubleFieldValue(i));
  parameters.forceValid();
}

std::shared_ptr<Snapshot> ParameterPaneQuot::makeNewSnapshot() const { return std::make_shared<SnapshotQuot>(); }

std::shared_ptr<Snapshot> ParameterPaneQuot::getDefaultSnapshot() const {
  SnapshotCore core;
  core.getView().setSize(6.25);
  core.setNorm(1000);
  return std::make_shared<SnapshotQuot>(std::string(), core, P());
}

std::shared_ptr<Snapshot> ParameterPaneQuot::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  if (!current) throw ORLENZA_PLATFORM_ERROR(0);
  P parameters = quotSnapshot(*current).getParameters();
  auto const unlocked = [this](unsigned i) { return parameterIsUnlocked(kFirstLock + static_cast<int>(i)); };
  // Every open parameter is drawn first, the rectangle and amplitude included;
  // those are then drawn again (or set) so that the rectangle is not reversed.
  for (unsigned i = 0; i < P::kCount; ++i)
    if (unlocked(i)) parameters.setParameter(i, RandomUtils::doubleRnd(-5, 5));
  if (unlocked(P::kXMin)) parameters.setParameter(P::kXMin, RandomUtils::doubleRnd(-5, 5));
  if (unlocked(P::kXMax))
    parameters.setParameter(P::kXMax, parameters.getParameter(P::kXMin) + RandomUtils::doubleRnd(0, 5));
  if (unlocked(P::kYMin)) parameters.setParameter(P::kYMin, RandomUtils::doubleRnd(-5, 5));
  if (unlocked(P::kYMax))
    parameters.setParameter(P::kYMax, parameters.getParameter(P::kYMin) + RandomUtils::doubleRnd(0, 5));
  if (unlocked(P::kAmplitude)) parameters.setParameter(P::kAmplitude, 1000);

  SnapshotCore core = current->getCore();
  core.setView(pictureView());
  return std::make_shared<SnapshotQuot>(std::string(), core, parameters);
}

}  // namespace orlenza
