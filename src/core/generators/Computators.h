#pragma once
// The one list of image computators: every generator's computator made (and so
// registered under its snapshot kind's identifier) once, at start-up.

namespace orlenza {

// Called once at start-up; calling it again changes nothing.
void registerAllComputators();

}  // namespace orlenza
