#include "core/engine/PictureRendering.h"

#include <vector>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawImage.h"
#include "core/model/Snapshot.h"

namespace orlenza {

RgbImage16 colourToImage(RawField const& field, SnapshotCore const& core) {
  std::vector<RGBColor> colours;
  colourRawField(field, core, colours);
  int const w = field.width();
  int const h = field.height();
  RgbImage16 image(w, h);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      RGBColor const& colour = colours[static_cast<std::size_t>(x) * h + y];
      std::uint16_t* pixel = image.pixel(x, y);
      pixel[0] = colour.red;
      pixel[1] = colour.green;
      pixel[2] = colour.blue;
    }
  }
  return image;
}

std::optional<RenderedPicture> renderSnapshot(std::shared_ptr<Snapshot> const& snapshot, int width, int height,
                                              bool automaticNorm, ComputationNotifier& notifier) {
  baseRawImage raw(snapshot);
  raw.setSize(width, height);
  raw.computeRawImage(notifier);
  if (notifier.areWeCanceled()) return std::nullopt;

  RenderedPicture picture{snapshot, {}};
  if (automaticNorm) {
    picture.snapshot = snapshot->clone();
    picture.snapshot->getCore().setNorm(raw.getStats().max);
  }

  picture.image = colourToImage(raw.getField(), picture.snapshot->getCore());
  return picture;
}

}  // namespace orlenza
