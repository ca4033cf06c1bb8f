#include "app/SnapshotThumbnails.h"

#include <exception>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"

namespace orlenza::app {

namespace {

class CancelFlagNotifier : public ComputationNotifier {
 public:
  explicit CancelFlagNotifier(std::shared_ptr<std::atomic<bool>> canceled) : m_canceled(std::move(canceled)) {}
  void initialize(long) override {}
  void iterate() override {}
  bool areWeCanceled() const override { return *m_canceled; }

 private:
  std::shared_ptr<std::atomic<bool>> m_canceled;
};

QImage toQImage(RgbImage16 const& image) {
  QImage result(image.width, image.height, QImage::Format_RGB888);
  for (int y = 0; y < image.height; ++y) {
    std::uint16_t const* source = image.pixel(0, y);
    uchar* row = result.scanLine(y);
    for (int c = 0; c < 3 * image.width; ++c) row[c] = static_cast<uchar>(source[c] >> 8);
  }
  return result;
}

}  // namespace

SnapshotThumbnails::SnapshotThumbnails(int side, QObject* parent) : QObject(parent), m_side(side) {
  // One at a time: the drawing's own computation keeps the other cores.
  m_pool.setMaxThreadCount(1);
}

SnapshotThumbnails::~SnapshotThumbnails() {
  for (auto& [key, entry] : m_entries) *entry.canceled = true;
  m_pool.waitForDone();
}

QImage SnapshotThumbnails::thumbnail(std::shared_ptr<Snapshot> const& snap) {
  if (!snap) return {};
  auto const found = m_entries.find(snap.get());
  if (found != m_entries.end()) return found->second.image;

  auto canceled = std::make_shared<std::atomic<bool>>(false);
  m_entries[snap.get()] = Entry{snap, QImage(), canceled};
  // The worker renders its own copy, so nothing is shared with the studio's thread.
  std::shared_ptr<Snapshot> copy = snap->clone();
  Snapshot const* key = snap.get();
  int const side = m_side;
  m_pool.start([this, copy, key, side, canceled] {
    QImage image;
    try {
      CancelFlagNotifier notifier(canceled);
      if (auto picture = renderSnapshot(copy, side, side, false, notifier)) image = toQImage(picture->image);
    } catch (std::exception const&) {
      // A snapshot no generator can draw keeps its plain marker.
    }
    if (*canceled) return;
    if (image.isNull()) {
      image = QImage(side, side, QImage::Format_RGB888);
      image.fill(Qt::white);
    }
    QMetaObject::invokeMethod(
        this,
        [this, key, canceled, image] {
          auto const found = m_entries.find(key);
          if (found == m_entries.end() || found->second.canceled != canceled) return;
          found->second.image = image;
          emit thumbnailReady();
        },
        Qt::QueuedConnection);
  });
  return {};
}

void SnapshotThumbnails::retainOnly(std::vector<std::shared_ptr<Snapshot>> const& shown) {
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    bool keep = false;
    for (auto const& snap : shown) keep = keep || snap.get() == it->first;
    if (keep) {
      ++it;
      continue;
    }
    *it->second.canceled = true;
    it = m_entries.erase(it);
  }
}

int SnapshotThumbnails::pending() const {
  int count = 0;
  for (auto const& [key, entry] : m_entries) count += entry.image.isNull() ? 1 : 0;
  return count;
}

}  // namespace orlenza::app
