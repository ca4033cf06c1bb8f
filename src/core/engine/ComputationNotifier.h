#pragma once
// How a computation reports progress and learns that it is to stop: the
// computator calls initialize once, then iterate and areWeCanceled after each step.

#include <mutex>

namespace orlenza {

class ComputationNotifier {
 public:
  virtual ~ComputationNotifier() = default;
  virtual void initialize(long total) = 0;
  virtual void iterate() = 0;
  virtual bool areWeCanceled() const = 0;
};

// For computations nobody watches (movie frames): counts nothing, never cancels.
class NullComputationNotifier : public ComputationNotifier {
 public:
  void initialize(long) override {}
  void iterate() override {}
  bool areWeCanceled() const override { return false; }
  int getMaximumProgress() const { return 1; }
  void postUpdateEvent() {}
};

// Counts steps into at most getMaximumProgress() ticks and calls notify() once
// per tick. Every member runs under one re-entrant lock, so notify() may call
// back into the notifier, and another thread may cancel or read the progress.
class GenericComputationNotifier : public ComputationNotifier {
 public:
  void initialize(long total) override;
  void iterate() override;
  bool areWeCanceled() const override;

  // Sticky: a new computation uses a new notifier.
  void cancelOperation();

  int getProgress() const;
  int getMaximumProgress() const;
  int getStepsPerTick() const;

 protected:
  // Called once per tick with the lock held; getProgress() may then exceed the
  // maximum by one, it is capped right after.
  virtual void notify() = 0;

  std::recursive_mutex& lock() const { return m_lock; }

 private:
  mutable std::recursive_mutex m_lock;
  int m_stepsPerTick = 100;
  int m_stepCount = 0;
  int m_progress = 0;
  int m_maximumProgress = 100;
  bool m_canceled = false;
};

}  // namespace orlenza
