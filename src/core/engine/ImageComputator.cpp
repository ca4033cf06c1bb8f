#include "core/engine/ImageComputator.h"

#include <map>
#include <mutex>

namespace orlenza {

namespace {

struct Registry {
  std::mutex lock;
  std::map<std::string, AbstractImageComputator*> computators;
};

// Made on first use, so it outlives every computator that registers in it.
Registry& registry() {
  static Registry s_registry;
  return s_registry;
}

class NotifierRowProgress : public RowProgress {
 public:
  explicit NotifierRowProgress(ComputationNotifier& notifier) : m_notifier(notifier) {}
  void rowDone() override { m_notifier.iterate(); }
  bool cancelled() const override { return m_notifier.areWeCanceled(); }

 private:
  ComputationNotifier& m_notifier;
};

}  // namespace

AbstractImageComputator::AbstractImageComputator(std::string identifier) : m_identifier(std::move(identifier)) {
  Registry& r = registry();
  std::lock_guard guard(r.lock);
  r.computators.try_emplace(m_identifier, this);
}

AbstractImageComputator::~AbstractImageComputator() {
  Registry& r = registry();
  std::lock_guard guard(r.lock);
  auto const found = r.computators.find(m_identifier);
  if (found != r.computators.end() && found->second == this) r.computators.erase(found);
}

AbstractImageComputator* AbstractImageComputator::getComputatorFromID(std::string const& identifier) {
  Registry& r = registry();
  std::lock_guard guard(r.lock);
  auto const found = r.computators.find(identifier);
  return found == r.computators.end() ? nullptr : found->second;
}

bool computePixelRows(int height, ComputationNotifier& notifier, RowFunction const& computeRow) {
  return computePixelRows(height, notifier, computeRow, threadCount());
}

bool computePixelRows(int height, ComputationNotifier& notifier, RowFunction const& computeRow, unsigned threads) {
  notifier.initialize(height);
  NotifierRowProgress progress(notifier);
  return runRows(height, computeRow, progress, threads);
}

}  // namespace orlenza
