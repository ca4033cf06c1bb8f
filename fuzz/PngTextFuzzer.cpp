// Feeds any bytes to the PNG chunk walker that 'info' and the re-rendering of
// a picture use, and the snapshot record it finds to the record reader: no
// crash, no hang, and no allocation beyond the bounds, whatever a chunk claims.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/CoreRegistration.h"
#include "core/model/Snapshot.h"
#include "media/PngTextReader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  orlenza::registerCoreFamilies();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
  orlenza::media::PngInfo info;
  std::string const problem = orlenza::media::readPngTextChunks(in, size, info);
  if (!problem.empty()) return 0;
  if (info.width <= 0 || info.height <= 0) std::abort();
  for (auto const& text : info.texts) {
    if (text.text.size() > orlenza::media::kMaxPngTextBytes) std::abort();
    if (text.keyword != orlenza::media::kSnapshotTextKeyword) continue;
    std::istringstream record(text.text);
    orlenza::readSnapshotRecord(record, orlenza::kSnapshotRecordVersion);
  }
  return 0;
}
