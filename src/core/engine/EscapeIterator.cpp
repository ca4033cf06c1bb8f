#include "core/engine/EscapeIterator.h"

#include "core/engine/Orbit.h"
#include "core/engine/RowParallel.h"

namespace orlenza {

// The whole iteration, compiled once with and once without recording so the
// dwell-only loop carries no orbit branch. The grouping of the map is fixed:
// other groupings round differently and change pictures.
template <bool kRecord>
inline int EscapeIterator::escape(Coefficients const& c, double x, double y, Orbit* orbit) {
  if constexpr (kRecord) orbit->add(x, y);
  for (int n = 1; n <= EscapeIterator::kMaxIterations; ++n) {
    double const nx = (x * c.a2 + c.a1 + y * c.a3) * x + c.a0 + (y * c.a5 + c.a4) * y;
    double const ny = (x * c.b2 + c.b1 + y * c.b3) * x + c.b0 + (y * c.b5 + c.b4) * y;
    if (nx * nx + ny * ny > EscapeIterator::kBailoutSquared) return n;
    if constexpr (kRecord) orbit->add(nx, ny);
    x = nx;
    y = ny;
  }
  return EscapeIterator::kMaxIterations;
}

EscapeIterator::Coefficients EscapeIterator::coefficientsOf(EscapeCoefficients const& k) {
  return Coefficients{k[0], k[1], k[2], k[3], k[4],  k[5],
                      k[6], k[7], k[8], k[9], k[10], k[11]};
}

EscapeIterator::EscapeIterator(EscapeCoefficients const& coefficients, Orbit* orbit, bool dwellOnly)
    : m_coefficients(coefficientsOf(coefficients)), m_orbit(orbit), m_dwellOnly(dwellOnly || orbit == nullptr) {
  if (!m_dwellOnly) m_orbit->reserve(kMaxIterations + 1);
}

void EscapeIterator::setCancelFlag(std::atomic<bool> const* flag) {
  m_cancelFlag = flag;
  m_rowStop = nullptr;
}

void EscapeIterator::setRowStop(RowStop const* stop) {
  m_rowStop = stop;
  m_cancelFlag = nullptr;
}

void EscapeIterator::checkCancel() {
  if (m_cancelFlag != nullptr) m_cancelled = m_cancelFlag->load(std::memory_order_relaxed);
  else if (m_rowStop != nullptr) m_cancelled = m_rowStop->requested();
}

int EscapeIterator::iterate(double x, double y) {
  if (m_cancelled) return 0;
  int const n = m_dwellOnly ? escape<false>(m_coefficients, x, y, nullptr) : escape<true>(m_coefficients, x, y, m_orbit);
  if (m_cancelFlag != nullptr || m_rowStop != nullptr) {
    m_stepsSinceCheck += static_cast<std::uint32_t>(n);
    if (m_stepsSinceCheck >= kStepsPerCancelCheck) {
      m_stepsSinceCheck = 0;
      checkCancel();
    }
  }
  return n;
}

}  // namespace orlenza
