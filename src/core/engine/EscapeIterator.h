#pragma once
// Follows a point through the quadratic map of the escape-time generator
// (twelve coefficients, bailout radius 1000, at most 1024 steps) and answers
// its dwell, optionally recording the orbit.

#include <atomic>
#include <cstdint>

#include "core/engine/EscapeKernel.h"

namespace orlenza {

class Orbit;
class RowStop;

class EscapeIterator {
 public:
  static constexpr int kMaxIterations = kEscapeMaxIterations;
  static constexpr double kBailoutSquared = kEscapeBailoutSquared;
  // Steps done between two looks at the cancel check.
  static constexpr std::uint32_t kStepsPerCancelCheck = 1u << 20;

  // orbit may be null; with dwellOnly (or a null orbit) nothing is recorded.
  // Given an orbit to fill, the iterator reserves room for one whole orbit
  // (kMaxIterations + 1 points), so recording never allocates after that.
  EscapeIterator(EscapeCoefficients const& coefficients, Orbit* orbit, bool dwellOnly);

  // Optional cancel checks, looked at every kStepsPerCancelCheck map steps
  // (counted over successive iterate calls). Once one answers true the
  // iterator is cancelled: iterate does nothing more and answers 0. Pass null
  // to remove. Only one of the two is kept; setting one clears the other.
  void setCancelFlag(std::atomic<bool> const* flag);
  void setRowStop(RowStop const* stop);
  bool cancelled() const { return m_cancelled; }

  // The dwell of (x, y), 1 ... 1024: the step at which the point left the
  // disc of radius 1000, or 1024 when it stayed (also when it left at the
  // 1024th step). Unless dwell-only, appends the start and every iterate that
  // did not escape to the orbit (the orbit is not cleared first). A NaN
  // coordinate never passes the bailout test, so it runs to the limit.
  // Answers 0, recording nothing, only when cancelled.
  int iterate(double x, double y);

  // The dwell without any orbit or cancel check: the plain reference kernel.
  static int dwell(EscapeCoefficients const& coefficients, double x, double y) {
    return escapeDwell(coefficients, x, y);
  }

 private:
  void checkCancel();

  // a0 ... a5 of x', b0 ... b5 of y'.
  struct Coefficients {
    double a0, a1, a2, a3, a4, a5;
    double b0, b1, b2, b3, b4, b5;
  };
  template <bool kRecord>
  static int escape(Coefficients const& c, double x, double y, Orbit* orbit);
  static Coefficients coefficientsOf(EscapeCoefficients const& k);

  Coefficients m_coefficients;
  Orbit* m_orbit;
  bool m_dwellOnly;
  bool m_cancelled = false;
  std::atomic<bool> const* m_cancelFlag = nullptr;
  RowStop const* m_rowStop = nullptr;
  std::uint32_t m_stepsSinceCheck = 0;
};

}  // namespace orlenza
