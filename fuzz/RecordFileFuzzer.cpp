// Feeds any bytes to one record file reader (ORLENZA_FUZZ_FILE: SnapshotFile,
// GradationFile or MovieFrameFile), with every kind registered. Whatever the
// reader accepts must write out and read back to the same records, and be
// stable from that second write on.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/CoreRegistration.h"
#include "core/files/AlertSink.h"
#include "core/files/GradationFile.h"
#include "core/files/MovieFrameFile.h"
#include "core/files/SnapshotFile.h"

namespace {

using namespace orlenza;

void check(bool condition) {
  if (!condition) std::abort();
}

template <class File>
void readWriteRead(std::string_view bytes) {
  RecordingAlertSink alerts;
  File const file = File::fromContents(bytes, alerts);
  check(file.isReadOnly());
  bool const accepted = file.getStatus() == RecordFileStatus::complete;
  check(alerts.empty() == accepted);
  if (!accepted) return;

  std::string const first = file.contents();
  File const second = File::fromContents(first, alerts);
  check(second.getStatus() == RecordFileStatus::complete);
  check(second.records().size() == file.records().size());
  std::string const written = second.contents();
  check(File::fromContents(written, alerts).contents() == written);
  check(alerts.empty());
  if constexpr (std::is_same_v<File, MovieFrameFile>) {
    for (auto const& problem : file.findKeyframeProblems()) check(!describeKeyframeProblem(problem).empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  registerCoreFamilies();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  std::string_view const bytes(reinterpret_cast<char const*>(data), size);
  readWriteRead<ORLENZA_FUZZ_FILE>(bytes);
  return 0;
}
