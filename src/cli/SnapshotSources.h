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
};

// One snapshot, or with choice.all every record of the file, in file order.
// Alerts about a file go to stderr as warnings; a record that was not read is
// a failure, an index or name the source does not hold a usage error.
std::vector<ChosenSnapshot> chosenSnapshots(SnapshotChoice const& choice);

// The record text of a snapshot, as a snapshot file holds it.
std::string recordText(Snapshot const& snapshot);

// The size of the PNG picture at path (for re-rendering at its own size).
void pictureSize(std::filesystem::path const& path, int& width, int& height);

}  // namespace orlenza::cli
