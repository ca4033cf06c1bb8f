#include "core/generators/Curves/ImageComputatorCurves.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "core/engine/PlaneSampler.h"
#include "core/engine/RowParallel.h"
#include "core/generators/Curves/CurvesLine.h"
#include "core/generators/Curves/SnapshotCurves.h"

namespace orlenza {

namespace {

using P = CurvesParameters;

// A curve point in pixels.
struct CurvePixel {
  int h = 0;
  int v = 0;
  bool inside = false;
  // False when the pixel has no int index (a NaN coordinate or one beyond the
  // int range): a line to it would run in a wrong direction, so none is drawn.
  bool placed = true;
};

class CurvePlotter {
 public:
  CurvePlotter(View const& view, int width, int height, RawField& field)
      : m_sampler(view, width, height), m_width(width), m_height(height), m_field(field) {
    m_viewIsFinite = std::isfinite(view.getCenterX()) && std::isfinite(view.getCenterY()) &&
                     std::isfinite(m_sampler.getStep()) && m_sampler.getStep() != 0 &&
                     std::isfinite(view.getAngle());
  }

  CurvePixel pixelOf(double x, double y) const {
    CurvePixel p;
    p.inside = m_sampler.getHV(x, y, &p.h, &p.v);
    p.placed = m_viewIsFinite && std::isfinite(x) && std::isfinite(y) && p.h != INT_MIN && p.h != INT_MAX &&
               p.v != INT_MIN && p.v != INT_MAX;
    p.inside = p.inside && p.placed;
    return p;
  }

  void dot(CurvePixel const& p) {
    if (p.inside) m_field[p.h][p.v] += 1;
  }

  void line(CurvePixel const& from, CurvePixel const& to) {
    if (from.placed && to.placed) drawLine(m_width, m_height, m_field, from.h, from.v, to.h, to.v);
  }

 private:
  PlaneSampler m_sampler;
  int m_width;
  int m_height;
  RawField& m_field;
  bool m_viewIsFinite = true;
};

// Points found per block on one thread, and per batch (threads are started per batch).
constexpr std::size_t kBlockPoints = 4096;
constexpr unsigned long long kBatchPoints = 1u << 18;

// The batches' blocks report nothing: progress counts plotted points.
class NoRowProgress final : public RowProgress {
 public:
  void rowDone() override {}
  bool cancelled() const override { return false; }
};

double coordinate(int combination, P::CoordParams const& coords, double theta) {
  std::array<double, 3> s{};
  for (std::size_t k = 0; k < 3; ++k)
    s[k] = std::sin(theta * coords.terms[k].frequency + coords.terms[k].phase * 3.141592654);
  return P::combine(combination, s[0], s[1], s[2]);
}

}  // namespace

ImageComputatorCurves::ImageComputatorCurves() : AbstractImageComputator(std::string(P::kSnapshotIdentifier)) {}

void ImageComputatorCurves::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier) {
  computeImage(snapshot, width, height, field, notifier, threadCount());
}

void ImageComputatorCurves::computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                                         ComputationNotifier& notifier, unsigned threads) {
  auto const& curves = dynamic_cast<SnapshotCurves const&>(snapshot);
  P const& p = curves.getParameters();
  // Never past the field, whatever the caller says.
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  for (int x = 0; x < width; ++x) std::fill_n(field[x], height, 0.0);
  CurvePlotter plotter(snapshot.getCore().getView(), width, height, field);

  unsigned const n = p.numPoints;
  notifier.initialize(static_cast<long>(n));
  threads = std::clamp(threads, 1u, kMaxRowThreads);
  auto const pointAt = [&](unsigned long long i) {
    double const theta = static_cast<double>(i) * 6.283185308 / n;
    return plotter.pixelOf(coordinate(p.xCombination, p.xCoords, theta),
                           coordinate(p.yCombination, p.yCoords, theta));
  };
  CurvePixel first, previous;
  // Plots point i; false when the computation is to stop.
  auto const plot = [&](unsigned long long i, CurvePixel const& here) {
    if (p.connect && i > 0)
      plotter.line(previous, here);
    else
      plotter.dot(here);
    previous = here;
    if (i == 0) first = here;
    notifier.iterate();
    return !notifier.areWeCanceled();
  };

  if (threads <= 1 || n <= kBlockPoints) {
    for (unsigned i = 0; i < n; ++i)
      if (!plot(i, pointAt(i))) return;
  } else {
    // The points of a batch are found in blocks on the row threads (each
    // depends on its index alone); plotting, progress and cancel follow on
    // this thread in curve order, so the field is the same whatever the count.
    std::vector<CurvePixel> pixels(static_cast<std::size_t>(std::min<unsigned long long>(kBatchPoints, n)));
    NoRowProgress noProgress;
    for (unsigned long long start = 0; start < n; start += kBatchPoints) {
      auto const count = static_cast<std::size_t>(std::min<unsigned long long>(kBatchPoints, n - start));
      auto const fillBlock = [&](int block, RowStop const&) {
        std::size_t const end = std::min(count, (static_cast<std::size_t>(block) + 1) * kBlockPoints);
        for (std::size_t j = static_cast<std::size_t>(block) * kBlockPoints; j < end; ++j) pixels[j] = pointAt(start + j);
      };
      runRows(static_cast<int>((count + kBlockPoints - 1) / kBlockPoints), fillBlock, noProgress, threads);
      for (std::size_t j = 0; j < count; ++j)
        if (!plot(start + j, pixels[j])) return;
    }
  }
  if (p.connect) plotter.line(previous, first);
}

View ImageComputatorCurves::getDefaultView() const { return defaultView(); }

View ImageComputatorCurves::defaultView() { return View(0, 0, 1, 0, false, false); }

}  // namespace orlenza
