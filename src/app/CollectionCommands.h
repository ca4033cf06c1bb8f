#pragma once
// The commands of the snapshot browser and of the two gradation windows:
// stored pictures, gradation files, the gradation editor and chooser.

#include <filesystem>

namespace orlenza::app {

class Application;

void registerCollectionCommands(Application& app);

// From the command line, a drop or the Open commands: the file replaces the
// open one (whose changes are saved first) and its window comes forward.
void openSnapshotFile(Application& app, std::filesystem::path const& path);
void openGradationFile(Application& app, std::filesystem::path const& path);

}  // namespace orlenza::app
