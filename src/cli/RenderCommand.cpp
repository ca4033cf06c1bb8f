#include <iostream>

#include "cli/Commands.h"
#include "cli/OutputPattern.h"
#include "cli/SnapshotSources.h"
#include "cli/TerminalProgress.h"
#include "core/base/AtomicFile.h"
#include "core/engine/PictureRendering.h"
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

}  // namespace

int renderPictures(RenderOptions const& options) {
  std::optional<OutputPattern> pattern;
  if (options.source.all) {
    pattern = OutputPattern::parse(options.output);
    if (!pattern)
      throw CliError(kExitUsage, "with --all, -o needs one %d in the name for the record's index, as in 'out-%03d.png'.");
  }
  auto const chosen = chosenSnapshots(options.source);

  int width = 256, height = 256;
  if (options.source.kind == SnapshotChoice::Kind::Picture) pictureSize(options.source.path, width, height);
  width = options.width.value_or(width);
  height = options.height.value_or(height);

  for (auto const& c : chosen) {
    std::filesystem::path const output = pattern ? pattern->format(c.index) : options.output;
    checkOutputFolder(output);
    renderOne(c.snapshot, width, height, options, output);
  }
  return kExitOk;
}

}  // namespace orlenza::cli
