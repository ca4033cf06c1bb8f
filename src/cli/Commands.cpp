#include "cli/Commands.h"

#include <algorithm>
#include <iostream>
#include <random>
#include <sstream>

#include "cli/TerminalProgress.h"
#include "core/base/AtomicFile.h"
#include "core/base/RandomUtils.h"
#include "core/base/StringTable.h"
#include "core/model/Snapshot.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/ParameterPane.h"
#include "core/panes/ParameterPaneFactory.h"
#include "media/PngWriter.h"
#include "core/engine/PictureRendering.h"

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

// The record text of a snapshot, as a snapshot file holds it.
std::string recordText(Snapshot const& snapshot) {
  std::ostringstream os;
  os << snapshot;
  return os.str();
}

// What a file would give back: the snapshot after a round trip through its
// text, so rendering directly and rendering a saved snapshot give the same bytes.
std::shared_ptr<Snapshot> throughText(Snapshot const& snapshot) {
  std::istringstream is(recordText(snapshot));
  auto back = readSnapshotRecord(is, kSnapshotRecordVersion);
  if (!back) throw CliError(kExitFailure, "the snapshot of '" + snapshot.getIdentifier() + "' does not read back.");
  return back;
}

std::shared_ptr<Snapshot> chosenSnapshot(SnapshotChoice const& choice) {
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

// Fails early, before a long computation, when the output cannot be placed.
void checkOutputFolder(std::filesystem::path const& output) {
  auto folder = output.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error))
    throw CliError(kExitFailure,
                   "cannot write '" + output.string() + "': the folder '" + folder.string() + "' does not exist.");
}

}  // namespace

int renderPicture(RenderOptions const& options) {
  auto snapshot = chosenSnapshot(options.source);
  checkOutputFolder(options.output);

  TerminalProgress progress("rendering " + options.output.filename().string());
  auto picture = renderSnapshot(snapshot, options.width, options.height, options.autoNorm, progress);
  progress.finish();
  if (!picture) throw CliError(kExitFailure, "cancelled; nothing was written.");

  media::PngWriteOptions png;
  png.bitDepth = options.depth;
  png.texts.push_back({media::kSnapshotTextKeyword, recordText(*picture->snapshot), true, true});
  try {
    media::writePng(options.output, picture->image, png);
  } catch (FileWriteError const& e) {
    throw CliError(kExitFailure, e.what());
  }
  return kExitOk;
}

int listGenerators() {
  for (auto const& name : GeneratorCatalogue::getNames()) {
    std::cout << GeneratorCatalogue::getCategoryKey(name) << '\t' << name << '\t' << localized(name);
    if (!ParameterPaneFactory::isRegistered(name)) std::cout << "\t(not built yet)";
    std::cout << '\n';
  }
  return kExitOk;
}

int printSnapshot(SnapshotChoice const& source, std::optional<std::filesystem::path> const& output) {
  auto const snapshot = chosenSnapshot(source);
  std::string const file = "Qvtx " + std::to_string(kSnapshotRecordVersion) + "\n" + recordText(*snapshot) + "\n";
  if (!output) {
    std::cout << file;
    return kExitOk;
  }
  try {
    writeFileAtomically(*output, [&](std::ostream& os) { os << file; });
  } catch (FileWriteError const& e) {
    throw CliError(kExitFailure, e.what());
  }
  return kExitOk;
}

}  // namespace orlenza::cli
