#include "core/base/WorkStop.h"

namespace orlenza::work {

namespace {
thread_local StopSource const* t_source = nullptr;
}

ScopedStop::ScopedStop(StopSource const* source) : m_previous(t_source) { t_source = source; }

ScopedStop::~ScopedStop() { t_source = m_previous; }

bool stopRequested() { return t_source != nullptr && t_source->stopRequested(); }

}  // namespace orlenza::work
