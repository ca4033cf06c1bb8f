#include "core/files/SnapshotFile.h"

#include <stdexcept>

namespace orlenza {

SnapshotFile::SnapshotFile(std::filesystem::path const& path, AlertSink& alerts) : SnapshotFile() {
  openExisting(path, alerts);
}

SnapshotFile SnapshotFile::createNew(std::filesystem::path const& path) {
  SnapshotFile file;
  file.openNew(path);
  return file;
}

SnapshotFile SnapshotFile::fromContents(std::string_view contents, AlertSink& alerts) {
  SnapshotFile file;
  file.openContents(contents, alerts);
  return file;
}

bool SnapshotFile::renameSnap(int index, std::string const& name) {
  if (index < 0 || static_cast<std::size_t>(index) >= records().size())
    throw std::out_of_range("renameSnap: no snapshot at index " + std::to_string(index));
  if (isReadOnly()) return false;
  records()[static_cast<std::size_t>(index)]->setName(name);
  setModified();
  return true;
}

std::shared_ptr<Snapshot> SnapshotFile::readRecord(int version, std::stringstream& line) {
  return readSnapshotRecord(line, version);
}

}  // namespace orlenza
