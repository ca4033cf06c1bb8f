#include "core/generators/Mandala/MandalaParameters.h"

namespace orlenza {

double MandalaParameters::getParameter(unsigned long i) const { return i < kCount ? m_values[i] : 0.0; }

void MandalaParameters::setParameter(unsigned long i, double value) {
  if (i < kCount) m_values[i] = value;
}

}  // namespace orlenza
