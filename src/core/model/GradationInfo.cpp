#include "core/model/GradationInfo.h"

#include <istream>
#include <ostream>

#include "core/base/TextIO.h"

namespace orlenza {

GradationInfo::GradationInfo() {
  gradation.setColor(0.0, k_RGBblack);
  gradation.setColor(0.25, k_RGBred);
  gradation.setColor(0.5, k_RGByellow);
  gradation.setColor(0.75, k_RGBred);
  gradation.setColor(1.0, k_RGBblack);
}

GradationInfo::GradationInfo(Gradation const& g, double scale, double offset)
    : gradation(g), auxiliary{scale, offset} {}

GradationInfo GradationInfo::morphTowards(GradationInfo const& other, double t) const {
  if (!(t > 0)) return *this;
  if (t >= 1) return other;
  GradationInfo result(gradation.morphTowards(other.gradation, t), 0.0, 0.0);
  result.auxiliary = auxiliary.morphTowards(other.auxiliary, t);
  return result;
}

std::ostream& operator<<(std::ostream& os, GradationInfo const& info) {
  os << info.gradation;
  text::writeDouble(os, info.auxiliary.scale);
  text::writeDouble(os, info.auxiliary.offset);
  return os;
}

std::istream& operator>>(std::istream& is, GradationInfo& info) {
  // A fresh two-key gradation: reading into the five-key default would keep
  // its red and yellow keys wherever the stored gradation has none.
  Gradation gradation;
  double scale = 1.0;
  double offset = 0.0;
  readEmbeddedGradation(is, gradation);
  text::readDouble(is, scale);
  text::readDouble(is, offset);
  if (!is) return is;
  info = GradationInfo(gradation, scale, offset);
  return is;
}

}  // namespace orlenza
