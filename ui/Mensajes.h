// The program's message loops, all in one place: the main loop, the loop of
// a modal window, and the pass through whatever is queued. The inner two
// leave a WM_QUIT they meet for the main loop, which ends the program.
#pragma once

#include <windows.h>

#include <functional>

namespace tesk {

// Runs until WM_QUIT; answers its exit code.
int BucleMensajes();

// Runs while abierta() holds: the loop of a modal window.
void BucleModal(const std::function<bool()>& abierta);

// Handles everything queued now, then returns.
void AtenderPendientes();

}  // namespace tesk
