// SIGTERM and SIGINT (logout, shutdown, Ctrl+C) turned into a flag the frame loop looks at.
#pragma once

namespace platform {

// Catches SIGTERM and SIGINT from now on; the game then saves and leaves at its next frame.
void InstallQuitSignals();
// True once either signal has arrived.
bool QuitSignalled();

}  // namespace platform
