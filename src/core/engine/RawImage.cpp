#include "core/engine/RawImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/engine/ImageComputator.h"
#include "core/engine/Normalizer.h"
#include "core/engine/NullPtrException.h"
#include "core/engine/Postfiltering.h"
#include "core/engine/RowParallel.h"
#include "core/model/GradationColouring.h"
#include "core/model/Snapshot.h"

namespace orlenza {

// ---- baseRawImage -----------------------------------------------------------

baseRawImage::baseRawImage(std::shared_ptr<Snapshot> snapshot)
    : m_field(kDefaultSize, kDefaultSize), m_snapshot(std::move(snapshot)) {}

View const& baseRawImage::getView() const {
  if (!m_snapshot) throw ORLENZA_NULL_PTR_EXCEPTION();
  return m_snapshot->getCore().getView();
}

void baseRawImage::setView(View const& view) {
  if (!m_snapshot) throw ORLENZA_NULL_PTR_EXCEPTION();
  m_snapshot->getCore().setView(view);
}

void baseRawImage::flipImageHorizontal() {
  int const width = m_field.width();
  int const height = m_field.height();
  for (int x = 0; x < width / 2; ++x) std::swap_ranges(m_field[x], m_field[x] + height, m_field[width - 1 - x]);
  if (m_snapshot) m_snapshot->getCore().getView().toggleFlipH();
}

void baseRawImage::flipImageVertical() {
  int const width = m_field.width();
  int const height = m_field.height();
  for (int x = 0; x < width; ++x) std::reverse(m_field[x], m_field[x] + height);
  if (m_snapshot) m_snapshot->getCore().getView().toggleFlipV();
}

void baseRawImage::computeRawImage(ComputationNotifier& notifier) {
  if (!m_snapshot) throw ORLENZA_NULL_PTR_EXCEPTION();
  AbstractImageComputator* computator = AbstractImageComputator::getComputatorFromID(m_snapshot->getIdentifier());
  if (computator == nullptr) throw ORLENZA_NULL_PTR_EXCEPTION();
  computator->computeImage(*m_snapshot, m_field.width(), m_field.height(), m_field, notifier);
}

void baseRawImage::drawShell(ImageDrawer& drawer) const {
  if (!m_snapshot) return;
  drawRawField(m_field, m_snapshot->getCore(), drawer);
}

void baseRawImage::drawRawImage(RawBitMap& bitmap) const {
  BitMapDrawer drawer(bitmap);
  drawShell(drawer);
}

// ---- The drawing passes -----------------------------------------------------

namespace {

class NoRowProgress : public RowProgress {
 public:
  void rowDone() override {}
  bool cancelled() const override { return false; }
};

// Runs perColumn(x) for every column on the row threads.
template <class PerColumn>
void forEveryColumn(int width, unsigned threads, PerColumn const& perColumn) {
  NoRowProgress progress;
  runRows(width, [&](int x, RowStop const&) { perColumn(x); }, progress, threads);
}

// The work field of the drawings on this thread, kept between drawings so that
// a drawing allocates only when the picture grows.
RawField& workFieldOfThisThread(int width, int height) {
  thread_local RawField s_work(1, 1);
  s_work.resize(width, height);
  return s_work;
}

// With scale 1, offset 0 and floor and ceiling inside [0, 1], a clamped value
// is its own place on the axis (finite, nothing to wrap), so its position is
// the truncated float product alone: the same steps as gradationPositionFor,
// in a loop without branches that the compiler vectorizes.
bool hasPlainAxis(ColouringRule const& rule) {
  return rule.auxiliary.scale == 1 && rule.auxiliary.offset == 0 && rule.floor >= 0 && rule.floor <= 1 &&
         rule.ceiling >= 0 && rule.ceiling <= 1;
}

std::int32_t plainAxisSteps(double normalized, double floor, double ceiling) {
  double const clamped = std::min(ceiling, std::max(floor, normalized));
  return static_cast<std::int32_t>(static_cast<float>(clamped) * static_cast<float>(KeyframePosition::k_steps));
}

}  // namespace

void colourRawField(RawField const& field, SnapshotCore const& core, std::vector<RGBColor>& colours) {
  colourRawField(field, core, colours, threadCount());
}

void colourRawField(RawField const& field, SnapshotCore const& core, std::vector<RGBColor>& colours,
                    unsigned threads) {
  int const width = field.width();
  int const height = field.height();

  // Everything the pixels need, resolved once.
  Postfiltering const& first = Postfiltering::getPostfilteringFromID(core.getPostfilteringID());
  Postfiltering const& second = Postfiltering::getPostfilteringFromID(core.getSecondPostfilteringID());
  Normalizer const& normalizer = Normalizer::getNormalizerFromID(core.getNormalizerID());
  double const firstParam = core.getPostfilteringParam();
  double const secondParam = core.getSecondPostfilteringParam();
  double const norm = core.getNorm();
  ColouringRule const rule{core.getFloor(), core.getCeiling(), core.getGradationInfo().auxiliary};
  GradationLookupTable const gradation(core.getGradationInfo().gradation);

  // The statistics are a sum over the whole field on one thread: only when read.
  RawImageStats const rawStats = first.usesStats() ? computeStats(field) : RawImageStats{};
  RawField& work = workFieldOfThisThread(width, height);
  forEveryColumn(width, threads, [&](int x) {
    double const* raw = field[x];
    double* filtered = work[x];
    first.filterColumn(field, x, firstParam, rawStats, filtered);
    for (int y = 0; y < height; ++y)
      if (std::isnan(raw[y])) filtered[y] = raw[y];
  });

  RawImageStats const workStats = second.usesStats() ? computeStats(work) : RawImageStats{};
  bool const plainAxis = hasPlainAxis(rule);
  colours.resize(static_cast<std::size_t>(width) * height);
  forEveryColumn(width, threads, [&](int x) {
    // Each step over the whole column, so each is one call and a plain loop.
    double normalized[RawField::kMaxSize];
    second.filterColumn(work, x, secondParam, workStats, normalized);
    normalizer.normalizeRow(normalized, normalized, static_cast<std::size_t>(height), norm);
    double const* filtered = work[x];
    RGBColor* out = colours.data() + static_cast<std::size_t>(x) * height;
    if (plainAxis) {
      std::int32_t steps[RawField::kMaxSize];
      for (int y = 0; y < height; ++y) steps[y] = plainAxisSteps(normalized[y], rule.floor, rule.ceiling);
      for (int y = 0; y < height; ++y)
        out[y] = std::isnan(filtered[y]) ? k_RGBblack : gradation.colourAt(KeyframePosition::fromSteps(steps[y]));
      return;
    }
    for (int y = 0; y < height; ++y)
      out[y] = std::isnan(filtered[y]) ? k_RGBblack : gradation.colourFor(normalized[y], rule);
  });
}

void drawRawField(RawField const& field, SnapshotCore const& core, ImageDrawer& drawer) {
  // The buffer is kept between drawings; taken out while in use, so a drawer
  // that draws again on this thread gets a buffer of its own.
  thread_local std::vector<RGBColor> s_spareColours;
  std::vector<RGBColor> colours = std::move(s_spareColours);
  colourRawField(field, core, colours);
  int const width = field.width();
  int const height = field.height();
  RGBColor const* colour = colours.data();
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) drawer(x, y, *colour++);
  s_spareColours = std::move(colours);
}

}  // namespace orlenza
