#include "core/engine/ComputationNotifier.h"

#include <algorithm>
#include <climits>

namespace orlenza {

void GenericComputationNotifier::initialize(long total) {
  std::lock_guard guard(m_lock);
  m_stepCount = 0;
  m_progress = 0;
  // Kept in long so that a huge total neither overflows the int nor ticks too often.
  long const perTick = std::clamp(total / m_maximumProgress, 1L, static_cast<long>(INT_MAX));
  m_stepsPerTick = static_cast<int>(perTick);
}

void GenericComputationNotifier::iterate() {
  std::lock_guard guard(m_lock);
  ++m_stepCount;
  if (m_stepCount < m_stepsPerTick) return;
  ++m_progress;
  notify();
  m_progress = std::min(m_progress, m_maximumProgress);
  m_stepCount = 0;
}

bool GenericComputationNotifier::areWeCanceled() const {
  std::lock_guard guard(m_lock);
  return m_canceled;
}

void GenericComputationNotifier::cancelOperation() {
  std::lock_guard guard(m_lock);
  m_canceled = true;
}

int GenericComputationNotifier::getProgress() const {
  std::lock_guard guard(m_lock);
  return m_progress;
}

int GenericComputationNotifier::getMaximumProgress() const {
  std::lock_guard guard(m_lock);
  return m_maximumProgress;
}

int GenericComputationNotifier::getStepsPerTick() const {
  std::lock_guard guard(m_lock);
  return m_stepsPerTick;
}

}  // namespace orlenza
