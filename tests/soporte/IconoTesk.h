// The program's icon in Wine's notification area, told from other icons by
// its tip, and clicked where it is shown.
#pragma once

#include <windows.h>

#include <vector>

namespace tesk::e2e {

// The icon windows in the tray whose tip is the program's, left to right.
std::vector<HWND> IconosTesk();

// The one such icon, or nullptr when there is none (or more than one).
HWND IconoTesk();

// A real click on the icon, left or right button, once its centre reaches
// it (a tray that a window manager maps again may be placed a moment
// later); the point clicked. Fails the calling test when the icon stays
// covered.
POINT ClicEnIcono(HWND icono, bool derecho = false);

// Deletes the icon a window added with that identifier, as a shell that
// restarts loses every icon, and tells every top-level window that the
// shell has started again ("TaskbarCreated").
void PerderIcono(HWND duena, UINT id);
void AnunciarShellNuevo();

}  // namespace tesk::e2e
