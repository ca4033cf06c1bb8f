#include "core/engine/PictureRendering.h"

#include <vector>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawImage.h"
#include "core/model/Snapshot.h"

namespace orlenza {

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

  RawField const& field = raw.getField();
  std::vector<RGBColor> colours;
  colourRawField(field, picture.snapshot->getCore(), colours);

  int const w = field.width();
  int const h = field.height();
  picture.image = RgbImage16(w, h);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      RGBColor const& colour = colours[static_cast<std::size_t>(x) * h + y];
      std::uint16_t* pixel = picture.image.pixel(x, y);
      pixel[0] = colour.red;
      pixel[1] = colour.green;
      pixel[2] = colour.blue;
    }
  }
  return picture;
}

}  // namespace orlenza
