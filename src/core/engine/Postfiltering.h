#pragma once
// Post-filters: image-space operators run over the raw field before it is
// normalized and coloured. Each is a stateless singleton found by identifier.

#include <string>
#include <string_view>
#include <vector>

#include "core/engine/NamedInstances.h"
#include "core/engine/RawField.h"

namespace orlenza {

class Postfiltering : public NamedInstances<Postfiltering> {
 public:
  explicit Postfiltering(std::string const& identifier) : NamedInstances<Postfiltering>(identifier) {}
  ~Postfiltering() override = default;

  // Whether the filter reads its parameter (the parameter box is enabled only then).
  virtual bool usesParam() const { return false; }

  // The filtered value of cell (x, y), 0 <= x < width, 0 <= y < height of the field.
  // Reads only cells inside the field and the statistics.
  virtual double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const = 0;

  // out[y] = filter(field, x, y, param, stats) for every y of column x, bit for
  // bit: one virtual call a column. Filters with a plain interior override it.
  virtual void filterColumn(RawField const& field, int x, double param, RawImageStats const& stats,
                            double* out) const;

  // Whether filter reads the statistics; the drawing computes them only then.
  virtual bool usesStats() const { return true; }

  // The filter registered under identifier, or the null filter ("pf_none").
  static Postfiltering const& getPostfilteringFromID(std::string const& identifier);
};

// Registers every post-filter; called once at start-up.
void registerAllPostfilters();

// The identifiers in menu order; menu item i + 1 is the filter with identifier i.
std::vector<std::string> const& postfilteringIdentifiersInMenuOrder();

// The registered filters in menu order (call after registerAllPostfilters()).
std::vector<Postfiltering const*> postfilteringsInMenuOrder();

inline constexpr char const* k_idNullPostfiltering = "pf_none";

class NullPostfiltering : public Postfiltering {
 public:
  NullPostfiltering() : Postfiltering(k_idNullPostfiltering) {}
  double filter(RawField const& field, int x, int y, double, RawImageStats const&) const override {
    return field[x][y];
  }
  void filterColumn(RawField const& field, int x, double, RawImageStats const&, double* out) const override;
  bool usesStats() const override { return false; }
  static NullPostfiltering const& instance();
};

// Weighted mean of the in-range 3x3 neighbourhood, divided by the weights present.
template <int DiagonalWeight, int SideWeight, int CentreWeight>
class pfilterAntiAlias : public Postfiltering {
 public:
  using Postfiltering::Postfiltering;
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
  void filterColumn(RawField const& field, int x, double param, RawImageStats const& stats,
                    double* out) const override;
  bool usesStats() const override { return false; }
};

class pfilterLightAntiAlias : public pfilterAntiAlias<1, 4, 32> {
 public:
  pfilterLightAntiAlias() : pfilterAntiAlias("pf_AntialiasingLight") {}
};

class pfilterHeavyAntiAlias : public pfilterAntiAlias<1, 4, 8> {
 public:
  pfilterHeavyAntiAlias() : pfilterAntiAlias("pf_AntialiasingHeavy") {}
};

// A 3x3 convolution; k0..k2 weight the row above (dx = -1, 0, +1), k3..k5 the
// pixel's row, k6..k8 the row below. Neighbours outside the picture take the
// nearest border cell. Cells with weight 0 are not read, so a NaN or infinity
// the kernel ignores does not leak into the sum.
class PostFiltering3x3 : public Postfiltering {
 public:
  PostFiltering3x3(std::string const& identifier, double k0, double k1, double k2, double k3, double k4, double k5,
                   double k6, double k7, double k8);
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const final;
  // None of the kernels' post-processing reads the statistics.
  bool usesStats() const override { return false; }
  virtual double postProcess(double value, double param, RawImageStats const& stats) const;

 private:
  double m_kernel[9];
};

class PostFilteringLaplacian3x3 : public PostFiltering3x3 {
 public:
  PostFilteringLaplacian3x3();
  bool usesParam() const override { return true; }
  double postProcess(double value, double param, RawImageStats const& stats) const override;
};

class PostFilteringDetail3x3 : public PostFiltering3x3 {
 public:
  PostFilteringDetail3x3();
};

class PostfilteringEnhance : public Postfiltering {
 public:
  PostfilteringEnhance() : Postfiltering("pf_Enhance") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringValley : public Postfiltering {
 public:
  PostFilteringValley() : Postfiltering("pf_Valley") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringEdger3x3 : public PostFiltering3x3 {
 public:
  PostFilteringEdger3x3();
  double postProcess(double value, double param, RawImageStats const& stats) const override;
};

class PostfilteringDerivative : public Postfiltering {
 public:
  PostfilteringDerivative() : Postfiltering("pf_Derivative") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
  void filterColumn(RawField const& field, int x, double param, RawImageStats const& stats,
                    double* out) const override;
  bool usesStats() const override { return false; }
};

class PostfilteringRelief : public PostFiltering3x3 {
 public:
  PostfilteringRelief();
  bool usesParam() const override { return true; }
  double postProcess(double value, double param, RawImageStats const& stats) const override;
};

class PostFilteringMinimum : public Postfiltering {
 public:
  PostFilteringMinimum() : Postfiltering("pf_Minimum") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringAverager : public Postfiltering {
 public:
  PostFilteringAverager() : Postfiltering("pf_Averager") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringSmooth : public Postfiltering {
 public:
  PostFilteringSmooth() : Postfiltering("pf_Smooth") {}
  bool usesParam() const override { return true; }
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringMirror : public Postfiltering {
 public:
  PostFilteringMirror() : Postfiltering("pf_Mirror") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringKaleidoscope4 : public Postfiltering {
 public:
  PostFilteringKaleidoscope4() : Postfiltering("pf_Kalei4") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

struct KaleidoscopeCell {
  int x;
  int y;
};

class PostFilteringKaleidoscope8 : public Postfiltering {
 public:
  PostFilteringKaleidoscope8() : Postfiltering("pf_Kalei8") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
  // The cell of the first eighth that (x, y) shows.
  static KaleidoscopeCell getCoords(int width, int height, int x, int y);
};

class PostfilteringSines : public Postfiltering {
 public:
  PostfilteringSines() : Postfiltering("pf_Sines") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostfilteringSqrt : public Postfiltering {
 public:
  PostfilteringSqrt() : Postfiltering("pf_Sqrt") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringSqrtTrunc : public Postfiltering {
 public:
  PostFilteringSqrtTrunc() : Postfiltering("pf_SqrtTrunc") {}
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

class PostFilteringCutoff : public Postfiltering {
 public:
  PostFilteringCutoff() : Postfiltering("pf_Cutoff") {}
  bool usesParam() const override { return true; }
  double filter(RawField const& field, int x, int y, double param, RawImageStats const& stats) const override;
};

}  // namespace orlenza
