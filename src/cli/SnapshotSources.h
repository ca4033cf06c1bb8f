#pragma once
// Turns the renderer's choice of picture (a generator's default or random
// snapshot, records of a snapshot file, the record stored in a PNG, a built-in
// snapshot) into snapshots, with one sentence for every way that can fail.

#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace orlenza {
class Snapshot;
}

namespace orlenza::cli {

struct ChosenSnapshot {
  std::shared_ptr<Snapshot> snapshot;
  int index = 0;  // the record's index in its file (0 for other sources)
  // A picture's own size, read from its header; 0 for other sources.
  int width = 0;
  int height = 0;
};

struct ChosenSnapshots {
  std::vector<ChosenSnapshot> snapshots;
  // The file was damaged after the records read: some were skipped (a
  // warning naming the file and the line was printed).
  bool recordsSkipped = false;
};

// One snapshot, or with choice.all every record of the file, in file order.
// A damaged file is named with its line in a warning on stderr; a record that
// was not read is a failure, an index or name the source does not hold a usage error.
ChosenSnapshots chosenSnapshots(SnapshotChoice const& choice);

// The post-filter, normalizer and analyzer identifiers of the snapshot that no
// registry knows (a newer program's, or damage); each is drawn by its fallback.
std::vector<std::string> unknownIdentifiers(Snapshot const& snapshot);
// One warning line on stderr per unknown identifier; where names the snapshot.
void warnOfUnknownIdentifiers(Snapshot const& snapshot, std::string const& where);

// The record text of a snapshot, as a snapshot file holds it.
std::string recordText(Snapshot const& snapshot);

}  // namespace orlenza::cli
