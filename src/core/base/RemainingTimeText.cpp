#include "core/base/RemainingTimeText.h"

#include <cmath>
#include <limits>

#include "core/base/StringTable.h"

namespace orlenza {

namespace {

void appendTimeUnits(std::string& text, long n, char const* pluralKey, char const* singularKey) {
  if (n < 1) return;
  text += std::to_string(n);
  text += ' ';
  text += localized(n == 1 ? singularKey : pluralKey);
  text += ' ';
}

}  // namespace

std::string remainingTimeText(long seconds) {
  if (seconds < 0) return " ";
  long const s = seconds % 60;
  long m = seconds / 60;
  long const h = m / 60;
  m %= 60;
  if (h == 0 && m == 0) return localized("RenderDial_LessThanAMinute") + " ";
  std::string text = localized("RenderDial_About") + " ";
  appendTimeUnits(text, h, "RenderDial_Hours", "RenderDial_Hour");
  appendTimeUnits(text, s >= 31 ? m + 1 : m, "RenderDial_Minutes", "RenderDial_Minute");
  return text;
}

long estimateRemainingSeconds(double elapsedSeconds, long index, long lastIndex) {
  if (index <= 0) return -1;
  // Frames 0 ... index took elapsedSeconds; lastIndex - index are still to come.
  double const estimate = std::trunc(elapsedSeconds / static_cast<double>(index + 1) *
                                     static_cast<double>(lastIndex - index));
  // A clock that jumps, or a frame that took days, must not overflow the count.
  if (!(estimate >= 0)) return 0;
  if (estimate >= static_cast<double>(std::numeric_limits<long>::max() / 2)) return std::numeric_limits<long>::max() / 2;
  return static_cast<long>(estimate);
}

}  // namespace orlenza
