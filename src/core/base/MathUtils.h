#pragma once
// Folding of values into an interval by reflection, used by generators that
// keep coordinates or colours inside a range.

namespace orlenza::MathUtils {

// Folds x into [lo, hi] by reflection: a triangle wave of period 2 (hi - lo)
// that is the identity on [lo, hi]. Answers x unchanged when the interval is
// empty or inverted (hi - lo not positive), when a bound or the width is not
// finite, and when x is NaN or infinite (a non-finite value has no place in the
// period). Rounding can never carry the result out of [lo, hi].
double periodize(double x, double lo, double hi);

// Triangle wave between 0 and 1 of period 2: |x| folded into [0, 1].
// NaN and infinities come back unchanged.
double periodize(double x);

}  // namespace orlenza::MathUtils
