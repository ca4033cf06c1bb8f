#include "core/engine/Orbit.h"

#include <algorithm>

namespace orlenza {

void Orbit::reserve(std::size_t count) { points.reserve(std::min(count, kMaxReserve)); }

}  // namespace orlenza
