#pragma once
// The raw field on screen and a short cache of earlier ones, so that stepping
// back through the history swaps a field in instead of computing it again.

#include <list>
#include <memory>

#include "core/engine/RawImage.h"

namespace orlenza {

class Snapshot;

class RawImageManager {
 public:
  static constexpr int kMaxMemorized = 5;

  // Made on first use: the current image holds the first built-in escape-time
  // picture, 100 x 100 cells without values.
  static RawImageManager& instance();
  // Back to the state of first use (tests start from there).
  static void reset();

  std::shared_ptr<baseRawImage> const& getCurrentImage() const { return m_current; }

  // A copy of the current image (same snapshot object) goes to the front; the
  // oldest is dropped so that at most kMaxMemorized stay.
  void memorizeCurrentImage();
  // The memorized image computed for exactly this snapshot object (identity,
  // not equality) becomes current and the current one goes to the front.
  // False, and nothing changes, when there is none. With keepCurrent false
  // the current image (an incomplete field) is dropped instead.
  bool retrieveImageAndSwap(Snapshot const* snapshot, bool keepCurrent = true);

  int memorizedCount() const { return static_cast<int>(m_memorized.size()); }

 private:
  RawImageManager();

  std::shared_ptr<baseRawImage> m_current;
  std::list<std::shared_ptr<baseRawImage>> m_memorized;  // newest first
};

}  // namespace orlenza
