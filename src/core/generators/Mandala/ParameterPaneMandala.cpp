#include "core/generators/Mandala/ParameterPaneMandala.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Mandala/ImageComputatorMandala.h"
#include "core/generators/Mandala/SnapshotMandala.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using P = MandalaParameters;

constexpr std::string_view kLabels[P::kCount] = {
    "lbl_mandala_angularFrequency", "lbl_mandala_angularWeight",  "lbl_mandala_radialFrequency",
    "lbl_mandala_radialWeight",     "lbl_mandala_productWeight", "lbl_mandala_amplitude",
};

std::vector<PaneField> mandalaFields() {
  std::vector<PaneField> fields;
  for (unsigned i = 0; i < P::kCount; ++i)
    fields.push_back({.labelKey = kLabels[i],
                      .kind = FieldKind::Double,
                      .lockIndex = ParameterPaneMandala::kFirstLock + static_cast<int>(i),
                      .digits = i == P::kAmplitude ? 5 : 10});
  return fields;
}

SnapshotMandala const& mandalaSnapshot(Snapshot const& snapshot) {
  auto const* mandala = dynamic_cast<SnapshotMandala const*>(&snapshot);
  if (!mandala) throw ORLENZA_PLATFORM_ERROR(0);
  return *mandala;
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPaneMandala>(); }

}  // namespace

ParameterPaneMandala::ParameterPaneMandala() : ParameterPane(mandalaFields()) {}

bool ParameterPaneMandala::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(SnapshotMandala::kIdentifier), &createPane);
}

void ParameterPaneMandala::updateFromSnapshot(Snapshot const& snapshot) {
  P const& parameters = mandalaSnapshot(snapshot).getParameters();
  for (unsigned i = 0; i < P::kCount; ++i) setDoubleField(i, parameters.getParameter(i));
}

void ParameterPaneMandala::updateToSnapshot(Snapshot& snapshot) const {
  auto* mandala = dynamic_cast<SnapshotMandala*>(&snapshot);
  if (!mandala) throw ORLENZA_PLATFORM_ERROR(0);
  for (unsigned i = 0; i < P::kCount; ++i) mandala->getParameters().setParameter(i, doubleFieldValue(i));
}

std::shared_ptr<Snapshot> ParameterPaneMandala::makeNewSnapshot() const { return std::make_shared<SnapshotMandala>(); }

std::shared_ptr<Snapshot> ParameterPaneMandala::getDefaultSnapshot() const {
  SnapshotCore core;
  core.getView().setSize(2.5);
  core.setGradationInfo(GradationInfo());  // black, red, yellow, red, black; scale 1, offset 0
  core.setNorm(1000);
  return std::make_shared<SnapshotMandala>(std::string(), core, P());
}

std::shared_ptr<Snapshot> ParameterPaneMandala::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  if (!current) throw ORLENZA_PLATFORM_ERROR(0);
  P parameters = mandalaSnapshot(*current).getParameters();
  auto const unlocked = [this](unsigned i) { return parameterIsUnlocked(kFirstLock + static_cast<int>(i)); };
  if (unlocked(P::kAngularFrequency)) parameters.setParameter(P::kAngularFrequency, RandomUtils::intRnd(1, 6));
  if (unlocked(P::kAngularWeight)) parameters.setParameter(P::kAngularWeight, RandomUtils::doubleRnd(0.1, 5.0));
  if (unlocked(P::kRadialFrequency)) parameters.setParameter(P::kRadialFrequency, RandomUtils::doubleRnd(0.0, 3.0));
  if (unlocked(P::kRadialWeight)) parameters.setParameter(P::kRadialWeight, RandomUtils::doubleRnd(0.1, 5.0));
  if (unlocked(P::kProductWeight)) parameters.setParameter(P::kProductWeight, RandomUtils::doubleRnd(0.0, 1.5));
  parameters.setParameter(P::kAmplitude, 1000);

  SnapshotCore core = current->getCore();
  core.setView(ImageComputatorMandala::defaultView());
  return std::make_shared<SnapshotMandala>(std::string(), core, parameters);
}

}  // namespace orlenza
