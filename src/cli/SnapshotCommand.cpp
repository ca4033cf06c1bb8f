#include <iostream>

#include "cli/Commands.h"
#include "cli/SnapshotSources.h"
#include "cli/Quoting.h"
#include "core/base/AtomicFile.h"
#include "core/files/AlertSink.h"
#include "core/files/SnapshotFile.h"
#include "core/model/Snapshot.h"

namespace orlenza::cli {

namespace {

void appendTo(std::filesystem::path const& path, std::shared_ptr<Snapshot> const& snapshot) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    SnapshotFile file = SnapshotFile::createNew(path);
    if (!file.isOpen()) throw CliError(kExitFailure, "cannot write '" + path.string() + "': " + file.getOpenFailure() + ".");
    file.records().push_back(snapshot);
    file.write();
    return;
  }
  StreamAlertSink alerts(std::cerr);
  SnapshotFile file(path, alerts);
  if (!file.isOpen()) throw CliError(kExitFailure, "cannot read '" + path.string() + "': " + file.getOpenFailure() + ".");
  if (file.getStatus() != RecordFileStatus::complete)
    throw CliError(kExitFailure, inQuotes(path) + " is not a valid snapshot file; it was left untouched.");
  if (file.isReadOnly()) throw CliError(kExitFailure, inQuotes(path) + " is read-only; it was left untouched.");
  file.records().push_back(snapshot);
  file.write();
}

}  // namespace

int printSnapshot(SnapshotChoice const& source, std::optional<std::filesystem::path> const& output, bool append) {
  auto const chosen = chosenSnapshots(source);
  SnapshotFile::Records records;
  for (auto const& c : chosen) records.push_back(c.snapshot);
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
