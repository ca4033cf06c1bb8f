#include "core/model/SnapshotFactory.h"

#include <map>
#include <mutex>

#include "core/model/Snapshot.h"

namespace orlenza {

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, SnapshotFactory::Creator> creators;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

bool SnapshotFactory::registerCreator(std::string const& identifier, Creator creator) {
  if (creator == nullptr) return false;
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  return r.creators.emplace(identifier, creator).second;
}

std::shared_ptr<Snapshot> SnapshotFactory::makeNewSnapshot(std::string const& identifier, int version) {
  Creator creator = nullptr;
  {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    auto found = r.creators.find(identifier);
    if (found == r.creators.end()) throw Exception();
    creator = found->second;
  }
  std::shared_ptr<Snapshot> snapshot = creator();
  if (!snapshot) throw Exception();
  snapshot->setVersion(version);
  return snapshot;
}

bool SnapshotFactory::isRegistered(std::string const& identifier) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  return r.creators.count(identifier) != 0;
}

std::vector<std::string> SnapshotFactory::registeredIdentifiers() {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  std::vector<std::string> identifiers;
  identifiers.reserve(r.creators.size());
  for (auto const& entry : r.creators) identifiers.push_back(entry.first);
  return identifiers;
}

}  // namespace orlenza
