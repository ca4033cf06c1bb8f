#include "core/generators/PhasePlane/SnapshotPhasePlane.h"

#include <istream>
#include <ostream>

namespace orlenza {

namespace {

PhasePlaneParameters fitted(PhasePlaneParameters parameters, int count) {
  parameters.parameters.resize(static_cast<std::size_t>(count), 1.0);
  parameters.gridDivisions = PhasePlaneParameters::clampGridDivisions(parameters.gridDivisions);
  parameters.numSteps = PhasePlaneParameters::clampSteps(parameters.numSteps);
  return parameters;
}

}  // namespace

SnapshotPhasePlane::SnapshotPhasePlane(int count) : m_parameters(static_cast<std::size_t>(count)) {}

SnapshotPhasePlane::SnapshotPhasePlane(std::string const& name, SnapshotCore const& core,
                                       PhasePlaneParameters const& parameters, int count)
    : Snapshot(name, core), m_parameters(fitted(parameters, count)) {}

void SnapshotPhasePlane::setParameters(PhasePlaneParameters const& parameters) {
  m_parameters = fitted(parameters, getNumParams());
}

bool SnapshotPhasePlane::isEqual_(Snapshot const& other) const {
  return m_parameters == dynamic_cast<SnapshotPhasePlane const&>(other).getParameters();
}

void SnapshotPhasePlane::outputParameters(std::ostream& os) const {
  // The block is reachable for writing, so its vector may have lost its
  // length; the text must hold the member's count or it would not read back.
  fitted(m_parameters, getNumParams()).outputParameters(os);
}

void SnapshotPhasePlane::inputParameters(std::istream& is) {
  PhasePlaneParameters read = fitted(m_parameters, getNumParams());
  read.inputParameters(is);
  if (is) m_parameters = std::move(read);
}

std::shared_ptr<Snapshot> MakeNewSnapshotPPxsin() { return SnapshotPPxsin::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotPPsinprod() { return SnapshotPPsinprod::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotPPtan() { return SnapshotPPtan::makeNew(); }

}  // namespace orlenza
