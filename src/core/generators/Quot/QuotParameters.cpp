#include "core/generators/Quot/QuotParameters.h"

#include <cmath>
#include <stdexcept>

namespace orlenza {

namespace {

[[noreturn]] void rangeError() { throw std::out_of_range("Range error for QuotParameters"); }

}  // namespace

double QuotParameters::getParameter(unsigned long i) const {
  if (i >= kCount) rangeError();
  return m_values[i];
}

void QuotParameters::setParameter(unsigned long i, double value) {
  if (i >= kCount) rangeError();
  m_values[i] = value;
}

void QuotParameters::forceValid() {
  if (m_values[kXMin] >= m_values[kXMax]) m_values[kXMax] = m_values[kXMin] + 1;
  if (m_values[kYMin] >= m_values[kYMax]) m_values[kYMax] = m_values[kYMin] + 1;
  m_values[kAmplitude] = std::fabs(m_values[kAmplitude]);
  if (m_values[kAmplitude] == 0) m_values[kAmplitude] = 1;
}

}  // namespace orlenza
