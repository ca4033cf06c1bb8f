#pragma once
// How the renderer ends on a signal. The first Ctrl-C (SIGINT) asks the work
// to stop, which then keeps what it keeps (a movie, the frames made); a second
// one, and SIGTERM or SIGHUP at once, remove every temporary file in the
// making and end the process as the signal would.

namespace orlenza::cli {

// Once, at the start of main.
void installSignalHandlers();
// True once Ctrl-C was pressed.
bool interruptRequested();

}  // namespace orlenza::cli
