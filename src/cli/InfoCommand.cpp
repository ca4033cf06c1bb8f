#include <iostream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/FileReading.h"
#include "cli/Quoting.h"
#include "cli/SnapshotSources.h"
#include "core/files/AlertSink.h"
#include "core/files/GradationFile.h"
#include "core/files/MovieFrameFile.h"
#include "core/files/SnapshotFile.h"
#include "core/model/Snapshot.h"
#include "media/PngWriter.h"

namespace orlenza::cli {

namespace {

std::string plural(std::size_t n, char const* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// The first line: which kind was read, in which version, how many records.
template <typename File>
void printHeading(File const& file) {
  std::cout << File::k_kindName;
  if (file.getFileVersion() > 0) std::cout << ", version " << file.getFileVersion();
  std::cout << ", " << plural(file.records().size(), "record") << '\n';
}

void printSnapshotLine(std::size_t index, Snapshot const& snapshot) {
  std::cout << index << '\t' << snapshot.getIdentifier() << '\t' << snapshot.getName() << '\n';
}

int snapshotInfo(std::filesystem::path const& path) {
  RecordingAlertSink alerts;  // finishReading says more
  SnapshotFile const file(path, alerts);
  checkOpened(file, path);
  printHeading(file);
  for (std::size_t i = 0; i < file.records().size(); ++i) {
    printSnapshotLine(i, *file.records()[i]);
    warnOfUnknownIdentifiers(*file.records()[i], "snapshot " + std::to_string(i) + " of " + inQuotes(path));
  }
  return finishReading(file, path);
}

int gradationInfo(std::filesystem::path const& path) {
  RecordingAlertSink alerts;  // finishReading says more
  GradationFile const file(path, alerts);
  checkOpened(file, path);
  printHeading(file);
  for (std::size_t i = 0; i < file.records().size(); ++i)
    std::cout << i << '\t' << plural(file.records()[i]->size(), "key") << '\n';
  return finishReading(file, path);
}

int keyframeInfo(std::filesystem::path const& path) {
  RecordingAlertSink alerts;  // finishReading says more
  MovieFrameFile const file(path, alerts);
  checkOpened(file, path);
  printHeading(file);
  for (std::size_t i = 0; i < file.records().size(); ++i) {
    auto const& keyframe = *file.records()[i];
    std::cout << i << '\t' << keyframe.getPosition().getValue() << '\t' << keyframe.getSnapshot()->getIdentifier()
              << '\t' << keyframe.getSnapshot()->getName() << '\n';
    warnOfUnknownIdentifiers(*keyframe.getSnapshot(), "keyframe " + std::to_string(i) + " of " + inQuotes(path));
  }
  // A timeline keeps one keyframe per position inside 0 ... 1: say what it would drop.
  for (auto const& problem : file.findKeyframeProblems()) std::cout << "note: " << describeKeyframeProblem(problem) << '\n';
  return finishReading(file, path);
}

int pictureInfo(std::filesystem::path const& path) {
  media::PngInfo info;
  try {
    info = media::readPngInfo(path, false);
  } catch (media::PngReadError const& e) {
    throw CliError(kExitFailure, std::string(e.what()) + ".");
  }
  std::cout << "PNG picture, " << info.width << "x" << info.height << ", " << info.bitDepth << "-bit\n";
  auto const* text = info.findText(media::kSnapshotTextKeyword);
  if (text == nullptr) {
    std::cout << "no snapshot record\n";
    return kExitOk;
  }
  std::istringstream is(text->text);
  auto const snapshot = readSnapshotRecord(is, kSnapshotRecordVersion);
  if (!snapshot) throw CliError(kExitFailure, "the snapshot record in " + inQuotes(path) + " cannot be read.");
  printSnapshotLine(0, *snapshot);
  warnOfUnknownIdentifiers(*snapshot, "the snapshot of " + inQuotes(path));
  std::cout << text->text << '\n';
  return kExitOk;
}

}  // namespace

int printFileInfo(std::filesystem::path const& path) {
  std::string const extension = extensionOf(path);
  if (extension == "snaps") return snapshotInfo(path);
  if (extension == "grads") return gradationInfo(path);
  if (extension == "msnaps") return keyframeInfo(path);
  if (extension == "png") return pictureInfo(path);
  throw CliError(kExitUsage, "cannot tell the kind of " + inQuotes(path) +
                                 " from its name; info reads .snaps, .grads, .msnaps and .png files.");
}

}  // namespace orlenza::cli
