#include "core/generators/DynSys/SnapshotDynSys.h"

#include <istream>
#include <ostream>

namespace orlenza {

namespace {

DynSysParameters fitted(DynSysParameters parameters, int count) {
  parameters.parameters.resize(static_cast<std::size_t>(count), 1.0);
  return parameters;
}

}  // namespace

SnapshotDynSys::SnapshotDynSys(int count) : m_parameters(static_cast<std::size_t>(count)) {}

SnapshotDynSys::SnapshotDynSys(std::string const& name, SnapshotCore const& core, DynSysParameters const& parameters,
                               int count)
    : Snapshot(name, core), m_parameters(fitted(parameters, count)) {}

void SnapshotDynSys::setParameters(DynSysParameters const& parameters) {
  m_parameters = fitted(parameters, getNumParams());
}

bool SnapshotDynSys::isEqual_(Snapshot const& other) const {
  return m_parameters == dynamic_cast<SnapshotDynSys const&>(other).getParameters();
}

void SnapshotDynSys::outputParameters(std::ostream& os) const {
  // The vector is reachable for writing, so it may have lost its length; the
  // text always holds the member's count, or it would not read back.
  if (m_parameters.parameters.size() == static_cast<std::size_t>(getNumParams())) {
    m_parameters.outputParameters(os);
    return;
  }
  fitted(m_parameters, getNumParams()).outputParameters(os);
}

void SnapshotDynSys::inputParameters(std::istream& is) {
  DynSysParameters read = fitted(m_parameters, getNumParams());
  read.inputParameters(is);
  if (is) m_parameters = std::move(read);
}

std::shared_ptr<Snapshot> MakeNewSnapshotDSSqrt() { return SnapshotDSSqrt::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotDSSinCos() { return SnapshotDSSinCos::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotDSSinSin() { return SnapshotDSSinSin::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotDSSin23() { return SnapshotDSSin23::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotDSSinXY() { return SnapshotDSSinXY::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotDSHop() { return SnapshotDSHop::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotDSGumowski() { return SnapshotDSGumowski::makeNew(); }

}  // namespace orlenza
