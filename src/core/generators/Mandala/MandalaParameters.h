#pragma once
// The parameter block of the mandala generator: an angular and a radial sine
// wave, the weights of both and of their product, and the amplitude.

#include "core/model/SnapshotParameters.h"

namespace orlenza {

class MandalaParameters final : public SnapshotParameters {
 public:
  enum Index : unsigned {
    kAngularFrequency,
    kAngularWeight,
    kRadialFrequency,
    kRadialWeight,
    kProductWeight,
    kAmplitude,
    kCount
  };

  MandalaParameters() = default;
  MandalaParameters(MandalaParameters const&) = default;
  MandalaParameters& operator=(MandalaParameters const&) = default;

  unsigned getNumParameters() const override { return kCount; }
  // 0 for an index past the last parameter.
  double getParameter(unsigned long i) const override;
  // Nothing happens for an index past the last parameter.
  void setParameter(unsigned long i, double value) override;

 private:
  double m_values[kCount] = {1, 1, 1, 1, 0, 1000};
};

}  // namespace orlenza
