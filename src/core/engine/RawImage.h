#pragma once
// The raw field of one picture with the snapshot it was computed for: computes
// it through the snapshot's computator and colours it (two post-filters, the
// normalizer, the gradation) into any per-pixel sink, such as the bitmap.

#include <memory>
#include <vector>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawBitMap.h"
#include "core/engine/RawField.h"
#include "core/model/RGBColor.h"
#include "core/model/View.h"

namespace orlenza {

class Snapshot;
class SnapshotCore;

// Receives the colour of every pixel of a drawing, column by column, from the
// thread that draws.
class ImageDrawer {
 public:
  virtual ~ImageDrawer() = default;
  virtual void operator()(int x, int y, RGBColor const& colour) = 0;
};

class BitMapDrawer : public ImageDrawer {
 public:
  explicit BitMapDrawer(RawBitMap& bitmap) : m_bitmap(bitmap) {}
  void operator()(int x, int y, RGBColor const& colour) override { m_bitmap.setPixel(x, y, colour); }

 private:
  RawBitMap& m_bitmap;
};

class baseRawImage {
 public:
  static constexpr int kDefaultSize = 100;

  // 100 x 100 cells without values (NaN).
  explicit baseRawImage(std::shared_ptr<Snapshot> snapshot);
  // Copies the size and every cell, and shares the snapshot.
  baseRawImage(baseRawImage const& other) = default;
  baseRawImage& operator=(baseRawImage const&) = delete;
  virtual ~baseRawImage() = default;

  int getWidth() const { return m_field.width(); }
  int getHeight() const { return m_field.height(); }
  // Each side clamped to [1, 2048]; the cells both sizes share keep their
  // values, new cells have none. The same size changes nothing.
  void setSize(int width, int height) { m_field.resize(width, height); }

  RawField& getField() { return m_field; }
  RawField const& getField() const { return m_field; }

  std::shared_ptr<Snapshot> const& getSnapshot() const { return m_snapshot; }
  // The field is not touched.
  void setSnapshot(std::shared_ptr<Snapshot> const& snapshot) { m_snapshot = snapshot; }

  // The snapshot's view; setView changes the snapshot object itself. Both
  // throw NullPtrException when there is no snapshot.
  View const& getView() const;
  void setView(View const& view);

  RawImageStats getStats() const { return computeStats(m_field); }

  // Mirror the cells and toggle the view's flag with them (when there is a
  // snapshot), so that a recomputation shows the picture mirrored the same way.
  void flipImageHorizontal();
  void flipImageVertical();

  // Fills the field through the computator registered under the snapshot's
  // identifier. NullPtrException when there is no snapshot or no such
  // computator; the field is then not touched.
  void computeRawImage(ComputationNotifier& notifier);

  // Colours the field by the snapshot's core; nothing without a snapshot.
  void drawShell(ImageDrawer& drawer) const;
  void drawRawImage(RawBitMap& bitmap) const;

 private:
  RawField m_field;
  std::shared_ptr<Snapshot> m_snapshot;
};

// The drawing of a raw field by a core's settings:
// 1. statistics of the field; first post-filter into a work field (NaN cells stay NaN);
// 2. statistics of the work field; second post-filter, normalizer and the
//    colouring rule; a NaN work cell is black.
// The per-pixel passes run on the shared row threads, one column at a time;
// statistics are taken on one thread, so the colours are the same bit for bit
// whatever the number of threads. colours gets width x height colours, column
// by column (index x * height + y).
void colourRawField(RawField const& field, SnapshotCore const& core, std::vector<RGBColor>& colours);
void colourRawField(RawField const& field, SnapshotCore const& core, std::vector<RGBColor>& colours,
                    unsigned threads);

// colourRawField, then every pixel to the drawer, x outer and y inner, from the calling thread.
void drawRawField(RawField const& field, SnapshotCore const& core, ImageDrawer& drawer);

}  // namespace orlenza
