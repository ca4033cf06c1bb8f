#pragma once
// The colouring data of a snapshot: its gradation with the scale and offset
// applied before the lookup.

#include <iosfwd>

#include "core/model/Gradation.h"

namespace orlenza {

struct GradationInfo {
  // The default gradation of a new snapshot: black, red, yellow, red, black at
  // 0, 0.25, 0.5, 0.75 and 1; scale 1, offset 0.
  GradationInfo();
  GradationInfo(Gradation const& gradation, double scale, double offset);

  // The blend of both gradations and of scale and offset; t <= 0 (or NaN) gives
  // this info, t >= 1 the other.
  GradationInfo morphTowards(GradationInfo const& other, double t) const;

  friend bool operator==(GradationInfo const&, GradationInfo const&) = default;

  Gradation gradation;
  GradationAuxiliaryInfo auxiliary;
};

// The gradation's text form, then scale and offset.
std::ostream& operator<<(std::ostream& os, GradationInfo const& info);
// Reads into a fresh two-key gradation, so the stored keys come back alone.
// All or nothing: on a bad or missing token the stream fails and info is unchanged.
std::istream& operator>>(std::istream& is, GradationInfo& info);

}  // namespace orlenza
