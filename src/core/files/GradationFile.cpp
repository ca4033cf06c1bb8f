#include "core/files/GradationFile.h"

namespace orlenza {

GradationFile::GradationFile(std::filesystem::path const& path, AlertSink& alerts) : GradationFile() {
  openExisting(path, alerts);
}

GradationFile GradationFile::createNew(std::filesystem::path const& path) {
  GradationFile file;
  file.openNew(path);
  return file;
}

GradationFile GradationFile::fromContents(std::string_view contents, AlertSink& alerts) {
  GradationFile file;
  file.openContents(contents, alerts);
  return file;
}

std::shared_ptr<Gradation> GradationFile::readRecord(int, std::stringstream& line) {
  // Never refused: a damaged line gives what was read on top of the default.
  auto gradation = std::make_shared<Gradation>();
  readGradationLine(line, *gradation);
  line.clear();
  return gradation;
}

}  // namespace orlenza
