#include "core/engine/Postfiltering.h"

#include <algorithm>
#include <cmath>

namespace orlenza {

namespace {

int clampIndex(int i, int size) { return i < 0 ? 0 : (i >= size ? size - 1 : i); }

// The cell (x + dx, y + dy) with each coordinate clamped into the picture.
double clampedCell(RawField const& field, int x, int y) {
  return field[clampIndex(x, field.width())][clampIndex(y, field.height())];
}

// Visits the cells of the 3x3 block around (x, y) that lie inside the picture,
// row above first, left to right, as visit(value, dx, dy).
template <class Visit>
void forInRangeNeighbourhood(RawField const& field, int x, int y, Visit&& visit) {
  int const y0 = std::max(y - 1, 0);
  int const y1 = std::min(y + 1, field.height() - 1);
  int const x0 = std::max(x - 1, 0);
  int const x1 = std::min(x + 1, field.width() - 1);
  for (int ny = y0; ny <= y1; ++ny) {
    for (int nx = x0; nx <= x1; ++nx) visit(field[nx][ny], nx - x, ny - y);
  }
}

}  // namespace

// ---- Registry --------------------------------------------------------------

void Postfiltering::filterColumn(RawField const& field, int x, double param, RawImageStats const& stats,
                                 double* out) const {
  for (int y = 0; y < field.height(); ++y) out[y] = filter(field, x, y, param, stats);
}

void NullPostfiltering::filterColumn(RawField const& field, int x, double, RawImageStats const&, double* out) const {
  std::copy(field[x], field[x] + field.height(), out);
}

NullPostfiltering const& NullPostfiltering::instance() {
  static NullPostfiltering const s_instance;
  return s_instance;
}

Postfiltering const& Postfiltering::getPostfilteringFromID(std::string const& identifier) {
  if (Postfiltering const* found = getInstanceFromID(identifier)) return *found;
  return NullPostfiltering::instance();
}

namespace {
template <class Filter>
void registerPostfiltering() {
  static Filter const s_instance;
}
}  // namespace

void registerAllPostfilters() {
  NullPostfiltering::instance();
  registerPostfiltering<pfilterLightAntiAlias>();
  registerPostfiltering<pfilterHeavyAntiAlias>();
  registerPostfiltering<PostFilteringLaplacian3x3>();
  registerPostfiltering<PostFilteringDetail3x3>();
  registerPostfiltering<PostfilteringEnhance>();
  registerPostfiltering<PostFilteringValley>();
  registerPostfiltering<PostFilteringEdger3x3>();
  registerPostfiltering<PostfilteringDerivative>();
  registerPostfiltering<PostfilteringRelief>();
  registerPostfiltering<PostFilteringMinimum>();
  registerPostfiltering<PostFilteringAverager>();
  registerPostfiltering<PostFilteringSmooth>();
  registerPostfiltering<PostFilteringMirror>();
  registerPostfiltering<PostFilteringKaleidoscope4>();
  registerPostfiltering<PostFilteringKaleidoscope8>();
  registerPostfiltering<PostfilteringSines>();
  registerPostfiltering<PostfilteringSqrt>();
  registerPostfiltering<PostFilteringSqrtTrunc>();
  registerPostfiltering<PostFilteringCutoff>();
}

std::vector<std::string> const& postfilteringIdentifiersInMenuOrder() {
  static std::vector<std::string> const s_identifiers = {
      "pf_none",      "pf_AntialiasingLight", "pf_AntialiasingHeavy", "pf_Laplacian3x3", "pf_Detail3x3",
      "pf_Enhance",   "pf_Valley",            "pf_Edger3x3",          "pf_Derivative",   "pf_Relief",
      "pf_Minimum",   "pf_Averager",          "pf_Smooth",            "pf_Mirror",       "pf_Kalei4",
      "pf_Kalei8",    "pf_Sines",             "pf_Sqrt",              "pf_SqrtTrunc",    "pf_Cutoff",
  };
  return s_identifiers;
}

std::vector<Postfiltering const*> postfilteringsInMenuOrder() {
  std::vector<Postfiltering const*> filters;
  for (std::string const& identifier : postfilteringIdentifiersInMenuOrder()) {
    filters.push_back(&Postfiltering::getPostfilteringFromID(identifier));
  }
  return filters;
}

// ---- Anti-aliasing ---------------------------------------------------------

template <int DiagonalWeight, int SideWeight, int CentreWeight>
double pfilterAntiAlias<DiagonalWeight, SideWeight, CentreWeight>::filter(RawField const& field, int x, int y, double,
                                                                          RawImageStats const&) const {
  double sum = 0;
  double weights = 0;
  forInRangeNeighbourhood(field, x, y, [&](double value, int dx, int dy) {
    int const offAxis = (dx != 0) + (dy != 0);
    double const weight = offAxis == 2 ? DiagonalWeight : (offAxis == 1 ? SideWeight : CentreWeight);
    sum += weight * value;
    weights += weight;
  });
  return sum / weights;
}

// Inside the picture every weight is present, so the sum runs in the order of
// filter (row above first, left to right) with no range tests.
template <int DiagonalWeight, int SideWeight, int CentreWeight>
void pfilterAntiAlias<DiagonalWeight, SideWeight, CentreWeight>::filterColumn(RawField const& field, int x,
                                                                             double param,
                                                                             RawImageStats const& stats,
                                                                             double* out) const {
  int const height = field.height();
  if (x == 0 || x == field.width() - 1 || height < 3) {
    Postfiltering::filterColumn(field, x, param, stats, out);
    return;
  }
  constexpr double kDiagonal = DiagonalWeight;
  constexpr double kSide = SideWeight;
  constexpr double kCentre = CentreWeight;
  constexpr double kWeights = 4 * kDiagonal + 4 * kSide + kCentre;
  double const* left = field[x - 1];
  double const* centre = field[x];
  double const* right = field[x + 1];
  out[0] = filter(field, x, 0, param, stats);
  for (int y = 1; y < height - 1; ++y) {
    double sum = 0;
    sum += kDiagonal * left[y - 1];
    sum += kSide * centre[y - 1];
    sum += kDiagonal * right[y - 1];
    sum += kSide * left[y];
    sum += kCentre * centre[y];
    sum += kSide * right[y];
    sum += kDiagonal * left[y + 1];
    sum += kSide * centre[y + 1];
    sum += kDiagonal * right[y + 1];
    out[y] = sum / kWeights;
  }
  out[height - 1] = filter(field, x, height - 1, param, stats);
}

template class pfilterAntiAlias<1, 4, 32>;
template class pfilterAntiAlias<1, 4, 8>;

// ---- 3x3 kernels -----------------------------------------------------------

PostFiltering3x3::PostFiltering3x3(std::string const& identifier, double k0, double k1, double k2, double k3,
                                   double k4, double k5, double k6, double k7, double k8)
    : Postfiltering(identifier), m_kernel{k0, k1, k2, k3, k4, k5, k6, k7, k8} {}

double PostFiltering3x3::filter(RawField const& field, int x, int y, double param,
                                RawImageStats const& stats) const {
  double sum = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      double const weight = m_kernel[3 * (dy + 1) + (dx + 1)];
      double const value = clampedCell(field, x + dx, y + dy);
      // A cell of weight 0 still takes part: 0 times NaN or infinity is NaN, as
      // the sum says. A finite one adds nothing, not even the sign of a zero.
      if (weight == 0 && std::isfinite(value)) continue;
      sum += weight * value;
    }
  }
  return postProcess(sum, param, stats);
}

double PostFiltering3x3::postProcess(double value, double, RawImageStats const&) const { return value; }

PostFilteringLaplacian3x3::PostFilteringLaplacian3x3()
    : PostFiltering3x3("pf_Laplacian3x3", -1, -1, -1, -1, 8, -1, -1, -1, -1) {}

double PostFilteringLaplacian3x3::postProcess(double value, double param, RawImageStats const&) const {
  return value + 0.5 * param;
}

PostFilteringDetail3x3::PostFilteringDetail3x3()
    : PostFiltering3x3("pf_Detail3x3", -1, -1, -1, -1, 9, -1, -1, -1, -1) {}

PostFilteringEdger3x3::PostFilteringEdger3x3()
    : PostFiltering3x3("pf_Edger3x3", 12, 6, 0, 12, -48, 0, 12, 6, 0) {}

double PostFilteringEdger3x3::postProcess(double value, double, RawImageStats const&) const {
  return value < 0 ? 0 : value;
}

PostfilteringRelief::PostfilteringRelief() : PostFiltering3x3("pf_Relief", -1, 0, 0, 0, 1, 0, 0, 0, 0) {}

double PostfilteringRelief::postProcess(double value, double param, RawImageStats const&) const {
  double const raised = value + param;
  return raised < 0 ? 0 : raised;
}

// ---- Neighbourhood filters -------------------------------------------------

double PostfilteringEnhance::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  double sum = 0;
  int count = 0;
  forInRangeNeighbourhood(field, x, y, [&](double value, int, int) {
    sum += value;
    ++count;
  });
  double const mean = sum / count;
  double const value = field[x][y];
  return std::fabs(value / (std::fabs(value - mean) + 1));
}

double PostFilteringValley::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  double const value = field[x][y];
  if (x == 0 || y == 0 || x == field.width() - 1 || y == field.height() - 1) return value;
  int greater = 0;
  forInRangeNeighbourhood(field, x, y, [&](double neighbour, int dx, int dy) {
    if ((dx != 0 || dy != 0) && neighbour > value) ++greater;
  });
  return value / (greater + 1);
}

double PostfilteringDerivative::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  // Central difference inside, one-sided at the borders, and 0 along an axis of
  // a single pixel, which has no neighbour to compare with.
  auto gradient = [](int i, int size, auto cell) {
    if (size < 2) return 0.0;
    if (i == 0) return cell(1) - cell(0);
    if (i == size - 1) return cell(size - 1) - cell(size - 2);
    return (cell(i + 1) - cell(i - 1)) * 0.5;
  };
  double const* column = field[x];
  double const gx = gradient(x, field.width(), [&](int i) { return field[i][y]; });
  double const gy = gradient(y, field.height(), [&](int i) { return column[i]; });
  return std::sqrt(gx * gx + gy * gy);
}

void PostfilteringDerivative::filterColumn(RawField const& field, int x, double param, RawImageStats const& stats,
                                           double* out) const {
  int const height = field.height();
  if (x == 0 || x == field.width() - 1 || height < 3) {
    Postfiltering::filterColumn(field, x, param, stats, out);
    return;
  }
  double const* left = field[x - 1];
  double const* column = field[x];
  double const* right = field[x + 1];
  out[0] = filter(field, x, 0, param, stats);
  for (int y = 1; y < height - 1; ++y) {
    double const gx = (right[y] - left[y]) * 0.5;
    double const gy = (column[y + 1] - column[y - 1]) * 0.5;
    out[y] = std::sqrt(gx * gx + gy * gy);
  }
  out[height - 1] = filter(field, x, height - 1, param, stats);
}

double PostFilteringMinimum::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  double minimum = field[x][y];
  forInRangeNeighbourhood(field, x, y, [&](double neighbour, int, int) {
    if (minimum > neighbour) minimum = neighbour;
  });
  return minimum;
}

// ---- Point filters ---------------------------------------------------------

double PostFilteringAverager::filter(RawField const& field, int x, int y, double, RawImageStats const& stats) const {
  return std::fabs(field[x][y] - stats.mean);
}

double PostFilteringSmooth::filter(RawField const& field, int x, int y, double param,
                                   RawImageStats const& stats) const {
  if (param > 1) return stats.min;
  if (param < 0) return field[x][y];
  return (1 - param) * field[x][y] + param * stats.min;
}

double PostFilteringCutoff::filter(RawField const& field, int x, int y, double param,
                                   RawImageStats const& stats) const {
  double const share = param < 0 ? 0 : (param > 1 ? 1 : param);
  double const threshold = share * (stats.max - stats.min) + stats.min;
  double const value = field[x][y];
  return value < threshold ? stats.min : value;
}

double PostfilteringSqrt::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  double const width = field.width();
  double const height = field.height();
  double const dx = x - 0.5 * width;
  double const dy = y - 0.5 * height;
  double const r = std::sqrt(dx * dx + dy * dy);
  double const maxR = 0.5 * std::sqrt(width * width + height * height);
  return std::fabs(field[x][y] * std::sqrt(r / maxR));
}

double PostFilteringSqrtTrunc::filter(RawField const& field, int x, int y, double,
                                      RawImageStats const& stats) const {
  double const value = field[x][y];
  double const v = x + 1 < field.width() ? std::sqrt(std::fabs(value * field[x + 1][y])) : std::fabs(value);
  return (v - std::trunc(v)) * stats.max;
}

double PostfilteringSines::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  double const a = clampedCell(field, x - 1, y - 1);
  double const b = clampedCell(field, x + 1, y - 1);
  double const c = clampedCell(field, x - 1, y + 1);
  double const d = clampedCell(field, x + 1, y + 1);
  return std::fabs(field[x][y] * (std::sin(a * d) - std::sin(b * c)));
}

// ---- Mirrors ---------------------------------------------------------------

double PostFilteringMirror::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  return std::fabs(field[x][y] - field[field.width() - 1 - x][field.height() - 1 - y]);
}

double PostFilteringKaleidoscope4::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  int const width = field.width();
  int const height = field.height();
  int const sourceX = x > width / 2 ? width - 1 - x : x;
  int const sourceY = y > height / 2 ? height - 1 - y : y;
  return field[sourceX][sourceY];
}

KaleidoscopeCell PostFilteringKaleidoscope8::getCoords(int width, int height, int x, int y) {
  // Folding by width - x (not width - 1 - x) keeps the picture's own lattice:
  // the folded cell is never past the middle, so one fold per axis suffices.
  if (x > width / 2) x = width - x;
  if (y > height / 2) y = height - y;
  double const slope = static_cast<double>(height) / width;
  if (x * slope >= y) return {x, y};
  // Reflection across the diagonal of the quarter; both results are at most
  // half a side, the clamps only guard against rounding.
  int const reflectedX = static_cast<int>(std::trunc(y / slope));
  int const reflectedY = static_cast<int>(std::trunc(x * slope));
  return {clampIndex(reflectedX, width), clampIndex(reflectedY, height)};
}

double PostFilteringKaleidoscope8::filter(RawField const& field, int x, int y, double, RawImageStats const&) const {
  KaleidoscopeCell const cell = getCoords(field.width(), field.height(), x, y);
  return field[cell.x][cell.y];
}

}  // namespace orlenza
