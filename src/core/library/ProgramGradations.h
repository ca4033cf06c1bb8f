#pragma once
// The 32 gradations that the program defines itself, the classic colour maps
// of the built-in gradation library.

#include <vector>

#include "core/model/Gradation.h"

namespace orlenza {

inline constexpr int k_numProgramGradations = 32;

// All of them, in their fixed order (number 0 first).
std::vector<Gradation> makeProgramGradations();

}  // namespace orlenza
