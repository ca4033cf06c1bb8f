#include "core/model/Snapshot.h"

#include <istream>
#include <ostream>
#include <typeinfo>

#include "core/base/TextIO.h"
#include "core/model/RecordWord.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {

bool Snapshot::isEqual(Snapshot const& other) const {
  return typeid(*this) == typeid(other) && m_core == other.m_core && isEqual_(other);
}

bool Snapshot::isComputationallyEqual(Snapshot const& other) const {
  return m_core.isComputationallyEqual(other.m_core) && typeid(*this) == typeid(other) && isEqual_(other);
}

std::shared_ptr<Snapshot> Snapshot::morphTowards(std::shared_ptr<Snapshot> const& other, double t) const {
  if (!other) return clone();
  return morphTowards(other, t, m_core.morphTowards(other->m_core, t));
}

std::ostream& operator<<(std::ostream& os, Snapshot const& snapshot) {
  text::writeWord(os, snapshot.getIdentifier());
  os << snapshot.getCore() << ' ';
  snapshot.outputParameters(os);
  // The name ends the record: no blank after it.
  return os << asRecordWord(snapshot.getName(), "?");
}

std::istream& operator>>(std::istream& is, Snapshot& snapshot) {
  SnapshotCore core;
  core.setVersion(snapshot.getVersion());
  is >> core;
  if (!is) return is;
  snapshot.inputParameters(is);
  if (!is) return is;
  std::string name;
  text::readWord(is, name);
  if (!is) return is;
  for (char& c : name)
    if (c == '_') c = ' ';
  snapshot.setCore(core);
  snapshot.setName(std::move(name));
  return is;
}

std::shared_ptr<Snapshot> readSnapshotRecord(std::istream& is, int version) {
  std::string identifier;
  if (!text::readWord(is, identifier)) return nullptr;
  if (!SnapshotFactory::isRegistered(identifier)) {
    is.setstate(std::ios::failbit);
    return nullptr;
  }
  std::shared_ptr<Snapshot> snapshot = SnapshotFactory::makeNewSnapshot(identifier, version);
  is >> *snapshot;
  if (!is) return nullptr;
  return snapshot;
}

}  // namespace orlenza
