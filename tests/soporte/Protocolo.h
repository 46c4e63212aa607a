// What the test-window program and the tests that drive it agree on: its
// command line, the class and property of its windows, and the message that
// makes a window's thread stop pumping.
//
//   ventanas_prueba.exe [--salida <file>] (--ventana <title> [modifiers])...
//
// Each --ventana creates one top-level window, in command-line order. The
// modifiers that follow it apply to that window:
//   --min, --max     shown minimised or maximised (normal otherwise)
//   --oculta         created but never shown
//   --sin-titulo     no title at all (the given title is ignored)
//   --hilo           the window lives on a thread of its own
//   --trampa         while the event NombreDespertar(window) exists unset,
//                    the window's thread blocks inside its WM_SHOWWINDOW
//                    handler (two minutes at most); it answers everything
//                    else, WM_NULL included
//   --de-la-previa   owned by the window before it (a tool window, as a
//                    palette is), which must not be on a thread of its own
// Options for the process as a whole, anywhere on the line:
//   --sonar <id>       the process plays: it opens the audio session <id>
//                      for itself in the stand-in audio services
//                      (AudioPrueba.h) before its windows are reported
//   --sonar-hijo <id>  it plays from a child process of its own that owns
//                      no window (a copy of this program), started first
//                      and ended with it
//   --mientras <pid>   (the child's) no windows needed; it ends when that
//                      process does
// Titles may carry escapes: \u{HEX} for any code point, \\ for a backslash.
// Once every window exists, --salida receives their handles, one decimal
// 32-bit handle per line, in creation order. The program ends when all its
// windows are closed or its main thread receives WM_QUIT.
#pragma once

#include <cstdint>
#include <string>

namespace tesk::prueba {

inline constexpr wchar_t kOpcionSalida[] = L"--salida";
inline constexpr wchar_t kOpcionVentana[] = L"--ventana";
inline constexpr wchar_t kOpcionMin[] = L"--min";
inline constexpr wchar_t kOpcionMax[] = L"--max";
inline constexpr wchar_t kOpcionOculta[] = L"--oculta";
inline constexpr wchar_t kOpcionSinTitulo[] = L"--sin-titulo";
inline constexpr wchar_t kOpcionHilo[] = L"--hilo";
inline constexpr wchar_t kOpcionTrampa[] = L"--trampa";
inline constexpr wchar_t kOpcionDePrevia[] = L"--de-la-previa";
inline constexpr wchar_t kOpcionSonar[] = L"--sonar";
inline constexpr wchar_t kOpcionSonarHijo[] = L"--sonar-hijo";
inline constexpr wchar_t kOpcionMientras[] = L"--mientras";

// Every test window has this class, and this property set to its position
// on the command line, counted from 1.
inline constexpr wchar_t kClaseVentanaPrueba[] = L"TeskVentanaPrueba";
inline constexpr wchar_t kPropiedadIndice[] = L"TeskVentanaPrueba.Indice";
// And this one to the number of times it has been shown (a window position
// change that shows it).
inline constexpr wchar_t kPropiedadMostrada[] = L"TeskVentanaPrueba.Mostrada";
// And these to the number of key-downs of F6 to F12 it has received, and of
// times it has been activated.
inline constexpr wchar_t kPropiedadTeclas[] = L"TeskVentanaPrueba.Teclas";
inline constexpr wchar_t kPropiedadActivada[] = L"TeskVentanaPrueba.Activada";

// Registered message: the window's thread stops pumping until the event
// NombreDespertar(window), which the test creates first, is set, and never
// longer than wParam milliseconds; with no such event it goes on at once.
inline constexpr wchar_t kMensajeDormir[] = L"TeskVentanaPrueba.Dormir";

// The name of the event that wakes a window's thread: the window's handle
// in decimal, so each window has its own.
inline std::wstring NombreDespertar(const void* ventana) {
    return L"Local\\TeskVentanaPrueba.Despertar." +
           std::to_wstring(static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(ventana)));
}

}  // namespace tesk::prueba
