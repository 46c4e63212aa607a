// The notification area as Wine shows it on an X display without a system
// tray of its own: one stand-alone window holding a child window per icon,
// each with a tooltip carrying the icon's tip. All of it lives in Wine's
// explorer process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tesk::prueba {

// The stand-alone tray window, or nullptr before the first icon is added.
HWND BandejaWine();

// The icon windows shown in it, left to right.
std::vector<HWND> IconosBandeja();

// The tip of the icon shown by that icon window, read from its tooltip in
// the tray's process; nullopt when no tooltip there gives a text for it.
std::optional<std::wstring> TipIcono(HWND icono);

// The screen point at the middle of an icon window.
POINT CentroIcono(HWND icono);

}  // namespace tesk::prueba
