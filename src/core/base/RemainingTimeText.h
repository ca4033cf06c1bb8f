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
// 0 ... lastIndex: the average time of the frames made, times the frames to
// come; -1 for index 0 (the first frame is always computed, so it says little).
// No second of slack per frame: that made 20 s of quick frames "5 minutes".
long estimateRemainingSeconds(double elapsedSeconds, long index, long lastIndex);

}  // namespace orlenza
