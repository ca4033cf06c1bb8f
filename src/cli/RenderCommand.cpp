#include <algorithm>
#include <iostream>

#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/Quoting.h"
#include "cli/OutputPattern.h"
#include "cli/SnapshotSources.h"
#include "cli/TerminalProgress.h"
#include "core/base/AtomicFile.h"
#include "core/engine/PictureRendering.h"
#include "core/engine/RawField.h"
#include "core/model/Snapshot.h"
#include "media/PngWriter.h"

namespace orlenza::cli {

namespace {

// Fails early, before a long computation, when the output cannot be placed.
void checkOutputFolder(std::filesystem::path const& output) {
  auto folder = output.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error))
    throw CliError(kExitFailure,
                   "cannot write '" + output.string() + "': the folder '" + folder.string() + "' does not exist.");
}

void renderOne(std::shared_ptr<Snapshot> const& snapshot, int width, int height, RenderOptions const& options,
               std::filesystem::path const& output) {
  TerminalProgress progress("rendering " + output.filename().string());
  auto picture = renderSnapshot(snapshot, width, height, options.autoNorm, progress);
  progress.finish();
  if (!picture) throw CliError(kExitFailure, "cancelled; '" + output.string() + "' was not written.");

  media::PngWriteOptions png;
  png.bitDepth = options.depth;
  png.texts.push_back({media::kSnapshotTextKeyword, recordText(*picture->snapshot), true, true});
  try {
    media::writePng(output, picture->image, png);
  } catch (FileWriteError const& e) {
    throw CliError(kExitFailure, e.what());
  }
}

// A picture's own size, held to the field's 2048 on its longer side with its shape kept.
void fitPictureSize(ChosenSnapshot const& picture, std::filesystem::path const& path, int& width, int& height) {
  width = picture.width;
  height = picture.height;
  int const longer = std::max(width, height);
  if (longer <= RawField::kMaxSize) return;
  auto const scaled = [longer](int side) {
    return std::max(1, static_cast<int>((static_cast<long long>(side) * RawField::kMaxSize + longer / 2) / longer));
  };
  width = scaled(width);
  height = scaled(height);
  std::cerr << "orlenza-render: " << inQuotes(path) << " is " << picture.width << "x" << picture.height
            << ", larger than the 2048 a side this program draws; rendering it at " << width << "x" << height
            << ", its shape kept.\n";
}

}  // namespace

int renderPictures(RenderOptions const& options) {
  std::optional<OutputPattern> pattern;
  if (options.source.all) {
    pattern = OutputPattern::parse(options.output);
    if (!pattern)
      throw CliError(kExitUsage, "with --all, -o needs one %d in the name for the record's index, as in 'out-%03d.png'.");
  }
  auto const chosen = chosenSnapshots(options.source);
  bool const fromFile =
      options.source.kind == SnapshotChoice::Kind::File || options.source.kind == SnapshotChoice::Kind::Picture;
  // Before any work: an output that is the input would destroy it.
  for (auto const& c : chosen.snapshots) {
    std::filesystem::path const output = pattern ? pattern->format(c.index) : options.output;
    if (fromFile && sameFile(output, options.source.path))
      throw CliError(kExitUsage, "the output " + inQuotes(output) + " is the input file; choose another name.");
    checkOutputFolder(output);
  }

  int width = 256, height = 256;
  if (options.source.kind == SnapshotChoice::Kind::Picture && !options.width)
    fitPictureSize(chosen.snapshots.front(), options.source.path, width, height);
  width = options.width.value_or(width);
  height = options.height.value_or(height);

  for (auto const& c : chosen.snapshots) {
    std::filesystem::path const output = pattern ? pattern->format(c.index) : options.output;
    warnOfUnknownIdentifiers(*c.snapshot, "the snapshot rendered to " + inQuotes(output));
    renderOne(c.snapshot, width, height, options, output);
  }
  if (chosen.recordsSkipped && options.source.all) {
    std::cerr << "orlenza-render: rendered " << chosen.snapshots.size() << " snapshots of " << inQuotes(options.source.path)
              << "; the records after the damage were skipped.\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace orlenza::cli
