#include "core/generators/Curves/CurvesLine.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace orlenza {

namespace {

// Products of two coordinate differences (each up to 2^32) need more than 64 bits.
__extension__ typedef __int128 Wide;

// Floor and ceiling of n / d for d > 0.
template <class Int>
Int floorDiv(Int n, Int d) {
  Int q = n / d;
  if (n % d != 0 && n < 0) --q;
  return q;
}
template <class Int>
Int ceilDiv(Int n, Int d) {
  return -floorDiv<Int>(-n, d);
}

// Narrows [kLo, kHi] to the steps inside the picture (m(k) in [mLo, mHi]) and
// gives the walk's state at the first; Int must hold 4 da db. False when no step is inside.
template <class Int>
bool clipSteps(long long da, long long db, long long mLo, long long mHi, long long& kLo, long long& kHi,
               long long& m, long long& err) {
  if (db > 0) {
    // m(k) >= mLo  <=>  2 k db > da (2 mLo - 1);  m(k) <= mHi  <=>  2 k db <= da (2 mHi + 1).
    kLo = std::max(kLo, static_cast<long long>(floorDiv<Int>(Int(da) * (2 * mLo - 1), Int(2) * db) + 1));
    kHi = std::min(kHi, static_cast<long long>(floorDiv<Int>(Int(da) * (2 * mHi + 1), Int(2) * db)));
  }
  if (kLo > kHi) return false;
  m = static_cast<long long>(ceilDiv<Int>(Int(2) * kLo * db - da, Int(2) * da));
  err = static_cast<long long>(Int(kLo) * db - Int(m) * da);
  return true;
}

}  // namespace

void drawLine(int width, int height, RawField& field, long long x0, long long y0, long long x1, long long y1) {
  bool const steep = std::llabs(y1 - y0) > std::llabs(x1 - x0);
  // The walk runs along a, the longer axis; b follows.
  long long a0 = steep ? y0 : x0, b0 = steep ? x0 : y0;
  long long a1 = steep ? y1 : x1, b1 = steep ? x1 : y1;
  // Walked from the lower a, so both directions take the same pixels; a line
  // walked backwards then counts its first pixel and skips its last, so that
  // it is always the given start that is left out.
  bool const backwards = a1 < a0;
  if (backwards) {
    std::swap(a0, a1);
    std::swap(b0, b1);
  }
  long long const da = a1 - a0;
  if (da == 0) return;
  long long const db = std::llabs(b1 - b0);
  long long const step = b1 > b0 ? 1 : -1;
  long long const aCount = steep ? height : width;
  long long const bCount = steep ? width : height;

  // After k steps (0 ... da) the walk is at a0 + k, b0 + step m(k), where the error term
  // k db - m da stays in (-da/2, da/2]: m(k) = ceil((2 k db - da) / (2 da)).
  // So the steps inside the picture form one range of k, found directly.
  long long kLo = std::max(backwards ? 0LL : 1LL, -a0);
  long long kHi = std::min(backwards ? da - 1 : da, aCount - 1 - a0);
  long long mLo = step > 0 ? -b0 : b0 - (bCount - 1);
  long long mHi = step > 0 ? bCount - 1 - b0 : b0;
  mLo = std::max(mLo, 0LL);
  mHi = std::min(mHi, db);
  if (mLo > mHi) return;
  long long m = 0, err = 0;
  bool const bothEndsInside = a0 >= 0 && a1 < aCount && std::min(b0, b1) >= 0 && std::max(b0, b1) < bCount;
  if (bothEndsInside) {
    // Every step is inside; the walk starts at k = 0 or after its first step.
    if (kLo == 1) {
      err = db;
      if (da < 2 * err) {
        m = 1;
        err -= da;
      }
    }
  } else {
    // Lines shorter than 2^30 pixels (all but those of deep zooms) need no wide division.
    constexpr long long kNarrow = 1LL << 30;
    bool const inside = da < kNarrow ? clipSteps<long long>(da, db, mLo, mHi, kLo, kHi, m, err)
                                     : clipSteps<Wide>(da, db, mLo, mHi, kLo, kHi, m, err);
    if (!inside) return;
  }
  for (long long k = kLo; k <= kHi; ++k) {
    long long const a = a0 + k;
    long long const b = b0 + step * m;
    long long const x = steep ? b : a;
    long long const y = steep ? a : b;
    if (x >= 0 && x < width && y >= 0 && y < height) field[static_cast<int>(x)][static_cast<int>(y)] += 1;
    err += db;
    if (da < 2 * err) {
      ++m;
      err -= da;
    }
  }
}

}  // namespace orlenza
