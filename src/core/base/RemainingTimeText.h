#pragma once
// The "time left" text of every progress display (the drawing's, the movie's,
// the renderer's terminal line), so they all round the same way.

#include <string>

namespace orlenza {

// Whole minutes, rounded up from 31 seconds on: "About 2 hours 5 minutes ",
// "Less than a minute " below one minute, a single space when seconds < 0
// (no estimate yet). Every non-empty text ends with a space.
std::string remainingTimeText(long seconds);

// The movie's estimate after finishing frame `index` (0-based) of frames
// 0 ... lastIndex: elapsed / index plus one second of slack, times
// lastIndex - index - 1. The slack and the short count balance out on the
// whole; -1 for index 0 (nothing to average yet).
long estimateRemainingSeconds(double elapsedSeconds, long index, long lastIndex);

}  // namespace orlenza
