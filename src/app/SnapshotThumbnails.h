#pragma once
// Small pictures of snapshots, rendered one at a time on a worker thread and
// kept while their snapshot is shown. A snapshot object never changes, so the
// object itself is the key.

#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

#include "core/model/Snapshot.h"

namespace orlenza::app {

class SnapshotThumbnails : public QObject {
  Q_OBJECT

 public:
  explicit SnapshotThumbnails(int side, QObject* parent = nullptr);
  // Stops the picture being rendered and waits for it.
  ~SnapshotThumbnails() override;

  // The picture when it is ready; until then a null image, and the picture is on its way.
  QImage thumbnail(std::shared_ptr<Snapshot> const& snap);
  // Forgets the pictures of every other snapshot; their renders are dropped.
  void retainOnly(std::vector<std::shared_ptr<Snapshot>> const& shown);
  // Pictures still to come.
  int pending() const;

 signals:
  void thumbnailReady();

 private:
  struct Entry {
    std::shared_ptr<Snapshot> snapshot;
    QImage image;
    std::shared_ptr<std::atomic<bool>> canceled;
  };

  int m_side;
  std::map<Snapshot const*, Entry> m_entries;
  QThreadPool m_pool;
};

}  // namespace orlenza::app
