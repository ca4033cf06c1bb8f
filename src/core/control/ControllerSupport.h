#pragma once
// Small helpers shared by the controllers of this folder.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/files/AlertSink.h"
#include "core/files/GenericFile.h"
#include "core/model/KeyframePosition.h"

namespace orlenza::control_detail {

// A float that KeyframePosition(float) maps back to exactly pos: the middle
// of its step, so the rounding of steps / 10000 cannot drop it to the step below.
inline float exactPositionValue(KeyframePosition pos) {
  return (static_cast<float>(pos.getSteps()) + 0.5f) / static_cast<float>(KeyframePosition::k_steps);
}

inline void alert(AlertSink& alerts, std::string_view mainKey, std::string_view explainKey) {
  alerts.showAlert(std::string(mainKey), std::string(explainKey));
}

// The file open at open is the one at path: the same file on disk, or, for a
// new file that has not been written yet, the same place.
inline bool isSameFile(std::filesystem::path const& open, std::filesystem::path const& path) {
  if (open.empty()) return false;
  if (referToSameFile(open, path)) return true;
  std::error_code ec1;
  std::error_code ec2;
  std::filesystem::path const a = std::filesystem::weakly_canonical(open, ec1);
  std::filesystem::path const b = std::filesystem::weakly_canonical(path, ec2);
  return !ec1 && !ec2 && a == b;
}

// At most name's first maxBytes bytes, cut before a UTF-8 sequence that would not fit whole.
inline std::string limitUtf8(std::string name, std::size_t maxBytes) {
  if (name.size() <= maxBytes) return name;
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0u) == 0x80u) --end;
  name.resize(end);
  return name;
}

}  // namespace orlenza::control_detail
