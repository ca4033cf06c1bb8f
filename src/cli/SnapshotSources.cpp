#include "cli/SnapshotSources.h"

#include <algorithm>
#include <iterator>
#include <iostream>
#include <random>
#include <sstream>

#include "cli/Quoting.h"
#include "core/base/RandomUtils.h"
#include "core/files/AlertSink.h"
#include "core/engine/Normalizer.h"
#include "core/engine/OrbitAnalyzer.h"
#include "core/engine/Postfiltering.h"
#include "core/files/SnapshotFile.h"
#include "core/library/StandardSnapshots.h"
#include "core/model/Snapshot.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"
#include "media/PngWriter.h"

namespace orlenza::cli {

namespace {

bool isInCatalogue(std::string const& identifier) {
  auto const& names = GeneratorCatalogue::getNames();
  return std::find(names.begin(), names.end(), identifier) != names.end();
}

std::unique_ptr<ParameterPane> paneFor(std::string const& generator) {
  if (!isInCatalogue(generator))
    throw CliError(kExitUsage,
                   "unknown generator '" + generator + "'; 'orlenza-render list generators' lists them.");
  if (!ParameterPaneFactory::isRegistered(generator))
    throw CliError(kExitFailure, "the generator '" + generator + "' is not built yet.");
  return ParameterPaneFactory::makeNewParameterPane(generator);
}

// What a file would give back: the snapshot after a round trip through its
// text, so rendering directly and rendering a saved snapshot give the same bytes.
std::shared_ptr<Snapshot> throughText(Snapshot const& snapshot) {
  std::istringstream is(recordText(snapshot));
  auto back = readSnapshotRecord(is, kSnapshotRecordVersion);
  if (!back) throw CliError(kExitFailure, "the snapshot of '" + snapshot.getIdentifier() + "' does not read back.");
  return back;
}

std::shared_ptr<Snapshot> generatorSnapshot(SnapshotChoice const& choice) {
  auto const pane = paneFor(choice.generator);
  auto snapshot = pane->getDefaultSnapshot();
  if (choice.kind == SnapshotChoice::Kind::Random) {
    std::uint32_t seed = 0;
    if (choice.seed) {
      seed = *choice.seed;
    } else {
      seed = std::random_device{}();
      std::cerr << "orlenza-render: random seed " << seed << '\n';
    }
    RandomUtils::seed(seed);
    snapshot = pane->makeRandomSnap(snapshot);
  }
  return throughText(*snapshot);
}

// The computation needs a computator; a kind that reads but cannot draw is told apart.
void checkDrawable(Snapshot const& snapshot, std::string const& where) {
  std::string const id = snapshot.getIdentifier();
  if (!ParameterPaneFactory::isRegistered(id))
    throw CliError(kExitFailure, where + " is a picture of '" + id + "', which is not built yet.");
}

ChosenSnapshots fileSnapshots(SnapshotChoice const& choice) {
  RecordingAlertSink alerts;  // the sentences below say more
  SnapshotFile file(choice.path, alerts);
  if (!file.isOpen()) throw CliError(kExitFailure, "cannot read " + inQuotes(choice.path) + ": " + file.getOpenFailure() + ".");
  auto const& records = file.records();
  bool const complete = file.getStatus() == RecordFileStatus::complete;
  // Where the reading stopped, for the sentence about a record that was not kept.
  auto const notKept = [&](std::string const& what) {
    return CliError(kExitFailure, what + " was not read: " + inQuotes(choice.path) + " is invalid from line " +
                                      std::to_string(file.getFailedLine()) + " on.");
  };
  std::vector<ChosenSnapshot> chosen;
  if (choice.all) {
    for (std::size_t i = 0; i < records.size(); ++i) chosen.push_back({records[i], static_cast<int>(i)});
    if (chosen.empty()) {
      if (!complete) throw notKept("no snapshot");
      throw CliError(kExitFailure, inQuotes(choice.path) + " holds no snapshots.");
    }
  } else if (choice.name) {
    for (std::size_t i = 0; i < records.size() && chosen.empty(); ++i)
      if (records[i]->getName() == *choice.name) chosen.push_back({records[i], static_cast<int>(i)});
    if (chosen.empty()) {
      if (!complete) throw notKept("a snapshot named '" + *choice.name + "'");
      throw CliError(kExitUsage, "no snapshot in " + inQuotes(choice.path) + " is named '" + *choice.name + "'.");
    }
  } else {
    int const index = choice.index.value_or(0);
    if (index >= 0 && static_cast<std::size_t>(index) < records.size()) {
      chosen.push_back({records[static_cast<std::size_t>(index)], index});
    } else if (!complete) {
      throw notKept("snapshot " + std::to_string(index));
    } else if (records.empty()) {
      throw CliError(kExitFailure, inQuotes(choice.path) + " holds no snapshots.");
    } else {
      throw CliError(kExitUsage, "--index " + std::to_string(index) + " is out of range: " + inQuotes(choice.path) +
                                     " holds " + std::to_string(records.size()) + " snapshots, 0 to " +
                                     std::to_string(records.size() - 1) + ".");
    }
  }
  for (auto const& c : chosen) checkDrawable(*c.snapshot, "snapshot " + std::to_string(c.index) + " of " + inQuotes(choice.path));
  if (!complete)
    std::cerr << "orlenza-render: warning: line " << file.getFailedLine() << " of " << inQuotes(choice.path)
              << " cannot be read; the " << records.size() << " records before it are all that was read.\n";
  return {chosen, !complete};
}

media::PngInfo readPicture(std::filesystem::path const& path, bool withPixels) {
  try {
    return media::readPngInfo(path, withPixels);
  } catch (media::PngReadError const& e) {
    throw CliError(kExitFailure, std::string(e.what()) + ".");
  }
}

ChosenSnapshot pictureSnapshot(std::filesystem::path const& path) {
  auto const info = readPicture(path, false);
  auto const* text = info.findText(media::kSnapshotTextKeyword);
  if (text == nullptr)
    throw CliError(kExitFailure, inQuotes(path) + " holds no snapshot record; only pictures that Orlenza wrote can be rendered again.");
  std::istringstream is(text->text);
  auto snapshot = readSnapshotRecord(is, kSnapshotRecordVersion);
  if (!snapshot) throw CliError(kExitFailure, "the snapshot record in " + inQuotes(path) + " cannot be read.");
  checkDrawable(*snapshot, inQuotes(path));
  return {snapshot, 0, info.width, info.height};
}

std::string validCategories() {
  std::string list;
  for (auto const& key : StandardSnapshots::getCategoryKeys()) list += (list.empty() ? "" : ", ") + key;
  return list;
}

std::shared_ptr<Snapshot> builtinSnapshot(SnapshotChoice const& choice) {
  auto const& keys = StandardSnapshots::getCategoryKeys();
  if (std::find(keys.begin(), keys.end(), choice.category) == keys.end())
    throw CliError(kExitUsage, "unknown built-in category '" + choice.category + "'; the categories are " +
                                   validCategories() + ".");
  int const count = StandardSnapshots::getNumSnapshots(choice.category);
  int const index = choice.index.value_or(0);
  if (index < 0 || index >= count)
    throw CliError(kExitUsage, "--index " + std::to_string(index) + " is out of range: the category '" +
                                   choice.category + "' holds " + std::to_string(count) + " snapshots, 0 to " +
                                   std::to_string(count - 1) + ".");
  auto snapshot = StandardSnapshots::findSnapshot(choice.category, index);
  if (!snapshot) throw CliError(kExitFailure, "built-in snapshot " + std::to_string(index) + " of '" + choice.category + "' is missing.");
  checkDrawable(*snapshot, "built-in snapshot " + std::to_string(index) + " of '" + choice.category + "'");
  return snapshot;
}

}  // namespace

std::string recordText(Snapshot const& snapshot) {
  std::ostringstream os;
  os.precision(12);  // as the snapshot files write records
  os << snapshot;
  return os.str();
}

std::vector<std::string> unknownIdentifiers(Snapshot const& snapshot) {
  // Every such identifier carries its family's prefix; the last token is the name.
  std::istringstream tokens(recordText(snapshot));
  std::vector<std::string> words{std::istream_iterator<std::string>(tokens), std::istream_iterator<std::string>()};
  if (!words.empty()) words.pop_back();
  std::vector<std::string> unknown;
  for (auto const& word : words) {
    bool known = true;
    if (word.rfind("pf_", 0) == 0) known = Postfiltering::getInstanceFromID(word) != nullptr;
    else if (word.rfind("norm_", 0) == 0) known = Normalizer::getInstanceFromID(word) != nullptr;
    else if (word.rfind("OA_", 0) == 0) known = OrbitAnalyzer::getInstanceFromID(word) != nullptr;
    if (!known && std::find(unknown.begin(), unknown.end(), word) == unknown.end()) unknown.push_back(word);
  }
  return unknown;
}

void warnOfUnknownIdentifiers(Snapshot const& snapshot, std::string const& where) {
  for (auto const& identifier : unknownIdentifiers(snapshot))
    std::cerr << "orlenza-render: warning: " << where << " names " << inQuotes(identifier)
              << ", which this program does not know; it is drawn with the default in its place.\n";
}

ChosenSnapshots chosenSnapshots(SnapshotChoice const& choice) {
  switch (choice.kind) {
    case SnapshotChoice::Kind::Default:
    case SnapshotChoice::Kind::Random:
      return {{{generatorSnapshot(choice), 0}}};
    case SnapshotChoice::Kind::File:
      return fileSnapshots(choice);
    case SnapshotChoice::Kind::Picture:
      return {{pictureSnapshot(choice.path)}};
    case SnapshotChoice::Kind::Builtin:
      return {{{builtinSnapshot(choice), choice.index.value_or(0)}}};
  }
  return {};
}

}  // namespace orlenza::cli
