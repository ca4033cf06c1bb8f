#include "core/library/StandardSnapshots.h"

#include <array>
#include <iostream>
#include <stdexcept>
#include <utility>

#include "core/CoreRegistration.h"
#include "core/base/StringTable.h"
#include "core/files/AlertSink.h"
#include "core/files/SnapshotFile.h"
#include "core/library/EmbeddedResources.h"

namespace orlenza {

namespace {

struct CategoryFile {
  std::string_view category;
  std::string_view resource;
};

constexpr std::array<CategoryFile, 4> k_categoryFiles = {{
    {"EscParams", "Escape"},
    {"Halley", "Halley"},
    {"Biomorph", "CFeedback"},
    {"categ_phaseplane", "Phase"},
}};

StandardSnapshots::Map build() {
  // Reading a record needs the snapshot kinds; without them every file would
  // be rejected and the library would stay empty for the whole run.
  registerCoreFamilies();
  StandardSnapshots::Map map;
  for (auto const& entry : k_categoryFiles)
    map[std::string(entry.category)] = StandardSnapshots::readStandardSnapFile(entry.resource);
  return map;
}

std::shared_ptr<Snapshot> copyOf(std::shared_ptr<Snapshot const> const& snapshot) {
  return snapshot ? snapshot->clone() : nullptr;
}

}  // namespace

StandardSnapshots::Map const& StandardSnapshots::getSnapshots() {
  static Map const instance = build();
  return instance;
}

std::vector<std::string> const& StandardSnapshots::getCategoryKeys() {
  static std::vector<std::string> const keys = [] {
    std::vector<std::string> list;
    for (auto const& entry : k_categoryFiles) list.emplace_back(entry.category);
    return list;
  }();
  return keys;
}

std::string_view StandardSnapshots::getResourceName(std::string_view category) {
  for (auto const& entry : k_categoryFiles)
    if (entry.category == category) return entry.resource;
  return {};
}

int StandardSnapshots::getNumSnapshots(std::string const& category) {
  auto const& map = getSnapshots();
  auto const it = map.find(category);
  return it == map.end() ? 0 : static_cast<int>(it->second.size());
}

std::shared_ptr<Snapshot> StandardSnapshots::getSnapshot(std::string const& category, int i) {
  auto const& map = getSnapshots();
  auto it = map.find(category);
  if (it == map.end()) {
    it = map.begin();
    i = 0;
  }
  if (it == map.end() || i < 0 || static_cast<std::size_t>(i) >= it->second.size())
    throw std::out_of_range("built-in snapshot " + std::to_string(i) + " of '" + category + "' does not exist");
  return copyOf(it->second[static_cast<std::size_t>(i)]);
}

std::shared_ptr<Snapshot> StandardSnapshots::findSnapshot(std::string const& category, int i) {
  auto const& map = getSnapshots();
  auto const it = map.find(category);
  if (it == map.end() || i < 0 || static_cast<std::size_t>(i) >= it->second.size()) return nullptr;
  return copyOf(it->second[static_cast<std::size_t>(i)]);
}

std::vector<std::shared_ptr<Snapshot const>> StandardSnapshots::readStandardSnapFile(std::string_view name) {
  std::vector<std::shared_ptr<Snapshot const>> snapshots;
  auto const contents = findEmbeddedResource("snaps/" + std::string(name) + ".snaps");
  if (!contents) return snapshots;
  StreamAlertSink alerts(std::cerr);
  auto const file = SnapshotFile::fromContents(*contents, alerts);
  for (auto const& record : file.records()) {
    if (!record) continue;
    record->setName(localized(record->getName()));
    snapshots.push_back(record);
  }
  return snapshots;
}

}  // namespace orlenza
