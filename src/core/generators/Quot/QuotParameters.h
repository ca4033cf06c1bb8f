#pragma once
// The parameter block of the quotient generator: the six coefficients of the
// numerator and of the denominator (quadratic polynomials in x and y), the
// rectangle the plane is folded into, and the amplitude.

#include "core/model/SnapshotParameters.h"

namespace orlenza {

class QuotParameters final : public SnapshotParameters {
 public:
  enum Index : unsigned {
    kNumXX,
    kNumX,
    kNumXY,
    kNumY,
    kNumYY,
    kNumConst,
    kDenXX,
    kDenX,
    kDenXY,
    kDenY,
    kDenYY,
    kDenConst,
    kXMin,
    kXMax,
    kYMin,
    kYMax,
    kAmplitude,
    kCount
  };

  QuotParameters() = default;
  QuotParameters(QuotParameters const&) = default;
  QuotParameters& operator=(QuotParameters const&) = default;

  unsigned getNumParameters() const override { return kCount; }
  // Both throw std::out_of_range ("Range error for QuotParameters") past the last index.
  double getParameter(unsigned long i) const override;
  void setParameter(unsigned long i, double value) override;

  // What the pane makes of typed values: a non-empty folding rectangle
  // (a reversed or empty side becomes one unit wide) and a positive amplitude.
  // Snapshot text is read as it stands.
  void forceValid();

 private:
  double m_values[kCount] = {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, -1, 1, -1, 1, 1000};
};

}  // namespace orlenza
