#pragma once
// The stop of the computation this thread is working for, for loops deep inside
// one sample (a geometry's power, one pixel's orbit) that are not handed the
// computation's own stop. The code that runs the work installs it for the time
// of the work; such a loop asks every kStepsPerPoll steps, so a cancel is seen
// however long a single sample takes.

#include <cstdint>

namespace orlenza::work {

inline constexpr std::uint32_t kStepsPerPoll = 1u << 20;

class StopSource {
 public:
  virtual ~StopSource() = default;
  virtual bool stopRequested() const = 0;
};

// Installs source for this thread until destroyed, then restores the one before.
class ScopedStop {
 public:
  explicit ScopedStop(StopSource const* source);
  ~ScopedStop();
  ScopedStop(ScopedStop const&) = delete;
  ScopedStop& operator=(ScopedStop const&) = delete;

 private:
  StopSource const* m_previous;
};

// False when nothing is installed on this thread.
bool stopRequested();

}  // namespace orlenza::work
