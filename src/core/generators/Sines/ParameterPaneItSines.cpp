#include "core/generators/Sines/ParameterPaneItSines.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Sines/SnapshotItSines.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using P = ItSinesParameters;

constexpr std::string_view kLabels[P::kNumValues] = {
    "lbl_sines_xFrequency",  "lbl_sines_xInnerFrequency",  "lbl_sines_xPhase",  "lbl_sines_xWeight",
    "lbl_sines_yFrequency",  "lbl_sines_yInnerFrequency",  "lbl_sines_yPhase",  "lbl_sines_yWeight",
    "lbl_sines_xyFrequency", "lbl_sines_xyInnerFrequency", "lbl_sines_xyPhase", "lbl_sines_xyWeight",
    "lbl_sines_amplitude",
};

std::vector<PaneField> sinesFields() {
  std::vector<PaneField> fields;
  for (unsigned i = 0; i < P::kNumValues; ++i)
    fields.push_back({.labelKey = kLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneItSines::kFirstLock + static_cast<int>(i),
                      .digits = 5});
  return fields;
}

SnapshotItSines const& sinesSnapshot(Snapshot const& snapshot) {
  auto const* sines = dynamic_cast<SnapshotItSines const*>(&snapshot);
  if (!sines) throw ORLENZA_PLATFORM_ERROR(0);
  return *sines;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneItSines>(); }

}  // namespace

ParameterPaneItSines::ParameterPaneItSines() : ParameterPane(sinesFields()) {}

bool ParameterPaneItSines::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(SnapshotItSines::kIdentifier), &createPane);
}

View ParameterPaneItSines::pictureView() { return View(0, 0, 6.25, 0, false, false); }

void ParameterPaneItSines::updateFromSnapshot(Snapshot const& snapshot) {
  P const& parameters = sinesSnapshot(snapshot).getParameters();
  for (unsigned i = 0; i < P::kNumValues; ++i) setDoubleField(i, parameters.getValue(i));
}

void ParameterPaneItSines::updateToSnapshot(Snapshot& snapshot) const {
  auto* sines = dynamic_cast<SnapshotItSines*>(&snapshot);
  if (!sines) throw ORLENZA_PLATFORM_ERROR(0);
  for (unsigned i = 0; i < P::kNumValues; ++i) sines->getParameters().setValue(i, doubleFieldValue(i));
}

std::shared_ptr<Snapshot> ParameterPaneItSines::makeNewSnapshot() const { return std::make_shared<SnapshotItSines>(); }

std::shared_ptr<Snapshot> ParameterPaneItSines::getDefaultSnapshot() const {
  SnapshotCore core;
  core.getView().setSize(6.25);
  core.setNorm(1000);
  return std::make_shared<SnapshotItSines>(std::string(), core, P());
}

std::shared_ptr<Snapshot> ParameterPaneItSines::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  if (!current) throw ORLENZA_PLATFORM_ERROR(0);
  P parameters = sinesSnapshot(*current).getParameters();
  P::ParamGroup* const groups[] = {&parameters.xGroup, &parameters.yGroup, &parameters.xyGroup};
  for (int g = 0; g < 3; ++g) {
    P::ParamGroup& group = *groups[g];
    int const lock = kFirstLock + 4 * g;
    if (parameterIsUnlocked(lock)) group.frequency = RandomUtils::doubleRnd(0.1, 5.0);
    if (parameterIsUnlocked(lock + 1)) group.innerFrequency = RandomUtils::doubleRnd(0.1, 5.0);
    if (parameterIsUnlocked(lock + 2)) group.phase = RandomUtils::doubleRnd(-3.14, 3.14);
    // The product wave stays a light ripple over the other two.
    if (parameterIsUnlocked(lock + 3))
      group.weight = g < 2 ? RandomUtils::doubleRnd(1.0, 5.0) : RandomUtils::doubleRnd(0.0, 0.5);
  }
  parameters.amplitude = 1000;

  SnapshotCore core = current->getCore();
  core.setView(pictureView());
  return std::make_shared<SnapshotItSines>(std::string(), core, parameters);
}

}  // namespace orlenza
