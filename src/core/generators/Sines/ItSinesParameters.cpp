#include "core/generators/Sines/ItSinesParameters.h"

#include <istream>
#include <ostream>

#include "core/base/TextIO.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {

namespace {

// The value of index i, or null past the thirteen.
template <class Block>
auto* slot(Block& block, unsigned i) {
  if (i == ItSinesParameters::kAmplitude) return &block.amplitude;
  if (i > ItSinesParameters::kAmplitude) return static_cast<decltype(&block.amplitude)>(nullptr);
  auto& group = i < 4 ? block.xGroup : (i < 8 ? block.yGroup : block.xyGroup);
  switch (i % 4) {
    case 0:
      return &group.frequency;
    case 1:
      return &group.innerFrequency;
    case 2:
      return &group.phase;
    default:
      return &group.weight;
  }
}

}  // namespace

void ItSinesParameters::ParamGroup::outputParameters(std::ostream& os) const {
  text::writeDouble(os, frequency);
  text::writeDouble(os, innerFrequency);
  text::writeDouble(os, phase);
  text::writeDouble(os, weight);
}

double ItSinesParameters::getValue(unsigned i) const {
  double const* value = slot(*this, i);
  return value ? *value : 0.0;
}

void ItSinesParameters::setValue(unsigned i, double value) {
  if (double* target = slot(*this, i)) *target = value;
}

void ItSinesParameters::outputParameters(std::ostream& os) const {
  xGroup.outputParameters(os);
  yGroup.outputParameters(os);
  xyGroup.outputParameters(os);
  text::writeDouble(os, amplitude);
}

void ItSinesParameters::inputParameters(std::istream& is) {
  ItSinesParameters read;
  for (unsigned i = 0; i < kNumValues; ++i) {
    double value = 0;
    text::readDouble(is, value);
    read.setValue(i, value);
  }
  if (is) *this = read;
}

void ItSinesParameters::morph(ItSinesParameters const& a, ItSinesParameters const& b, double t) {
  for (unsigned i = 0; i < kNumValues; ++i) setValue(i, b.getValue(i) * t + a.getValue(i) * (1 - t));
}

bool operator==(ItSinesParameters const& a, ItSinesParameters const& b) {
  for (unsigned i = 0; i < ItSinesParameters::kNumValues; ++i)
    if (!paramsAreEqual(a.getValue(i), b.getValue(i))) return false;
  return true;
}

}  // namespace orlenza
