#include <iostream>

#include "cli/Commands.h"
#include "cli/FileNames.h"
#include "cli/SnapshotSources.h"
#include "cli/Quoting.h"
#include "core/base/AtomicFile.h"
#include "core/files/AlertSink.h"
#include "core/files/SnapshotFile.h"
#include "core/model/Snapshot.h"

namespace orlenza::cli {

namespace {

// The line end the file already uses, so that an appended line matches it.
std::string lineEndOf(std::string const& bytes) {
  std::size_t const end = bytes.find_first_of("\r\n");
  if (end == std::string::npos || bytes[end] == '\n') return "\n";
  return end + 1 < bytes.size() && bytes[end + 1] == '\n' ? "\r\n" : "\r";
}

// Adds one line and changes no byte that is there: a rewrite of the records
// would lose digits, line ends and text a newer program wrote.
void appendTo(std::filesystem::path const& path, std::shared_ptr<Snapshot> const& snapshot) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    writeFileAtomically(path, [&](std::ostream& os) { os << SnapshotFile::formatContents({snapshot}); });
    return;
  }
  RecordingAlertSink alerts;
  SnapshotFile const file(path, alerts);
  if (!file.isOpen()) throw CliError(kExitFailure, "cannot read " + inQuotes(path) + ": " + file.getOpenFailure() + ".");
  if (file.getStatus() != RecordFileStatus::complete)
    throw CliError(kExitFailure, inQuotes(path) + " is not a valid snapshot file (line " +
                                     std::to_string(file.getFailedLine()) + "); it was left untouched.");
  if (file.isReadOnly()) throw CliError(kExitFailure, inQuotes(path) + " is read-only; it was left untouched.");
  int const version = file.getFileVersion();
  if (version != 0 && version != SnapshotFile::k_currentVersion)
    throw CliError(kExitFailure, inQuotes(path) + " is a version " + std::to_string(version) +
                                     " file, which a record of version " +
                                     std::to_string(SnapshotFile::k_currentVersion) + " cannot join; it was left untouched.");
  recordfile::LoadedFile const loaded = recordfile::load(path);
  if (!loaded.open || loaded.tooLarge) throw CliError(kExitFailure, "cannot read " + inQuotes(path) + ".");
  std::string contents = loaded.bytes;
  std::string const lineEnd = lineEndOf(contents);
  if (version == 0) {
    contents += recordfile::header(SnapshotFile::k_currentVersion);  // an empty file gets its header
    if (lineEnd != "\n") contents.replace(contents.size() - 1, 1, lineEnd);
  } else if (contents.back() != '\n' && contents.back() != '\r') {
    contents += lineEnd;
  }
  contents += recordText(*snapshot) + lineEnd;
  writeFileAtomically(path, [&](std::ostream& os) { os << contents; });
}

}  // namespace

int printSnapshot(SnapshotChoice const& source, std::optional<std::filesystem::path> const& output, bool append) {
  bool const fromFile = source.kind == SnapshotChoice::Kind::File || source.kind == SnapshotChoice::Kind::Picture;
  if (output && !append && fromFile && sameFile(*output, source.path))
    throw CliError(kExitUsage, "the output " + inQuotes(*output) + " is the input file; choose another name.");
  auto const chosen = chosenSnapshots(source);
  SnapshotFile::Records records;
  for (auto const& c : chosen.snapshots) records.push_back(c.snapshot);
  try {
    if (!output) {
      std::cout << SnapshotFile::formatContents(records);
    } else if (append) {
      for (auto const& record : records) appendTo(*output, record);
    } else {
      std::string const contents = SnapshotFile::formatContents(records);
      writeFileAtomically(*output, [&](std::ostream& os) { os << contents; });
    }
  } catch (FileWriteError const& e) {
    throw CliError(kExitFailure, e.what());
  }
  return kExitOk;
}

}  // namespace orlenza::cli
