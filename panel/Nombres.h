// What other programs find the panel by and may ask it: its window classes
// and caption, the list box's identifier, and the registered message that
// answers what the program holds, how far its timer has run, which key it
// watches, how many clicks have reached it and which guardian watches it;
// and the one that asks it to bring back what it conceals.
#pragma once

#include <windows.h>

namespace tesk {

inline constexpr wchar_t kClasePanel[] = L"TeskPanel";
inline constexpr wchar_t kClaseMarco[] = L"TeskMarco";  // PB
inline constexpr wchar_t kCaptionPanel[] = L"Tesk";
inline constexpr int kIdLista = 1001;  // the list box, a "ListBox" inside PB
// The commands: owner-drawn "Button" children of the panel, one for each
// image and label, identified from here up in the order of the panel's
// layout table; each one's window text is its name.
inline constexpr int kIdPrimerComando = 1101;

// Sent to the panel with one of the kinds below in wParam, it answers a
// count; -1 for an unknown kind. Wine answers 0 for a process's USER and
// GDI objects and its handle count, so the program counts its own.
inline constexpr wchar_t kMensajeRecursos[] = L"Tesk.Recursos";

// Posted to the panel by a copy of the program started while this one
// runs: whatever is concealed comes back, as a press of the key would bring
// it. Anybody may post it; it carries nothing and only ever restores, and it
// does nothing while nothing is concealed.
inline constexpr wchar_t kMensajeRestaurar[] = L"Tesk.Restaurar";

enum class TipoRecurso : WPARAM {
    gdi = 0,     // fonts, bitmaps, brushes, device contexts held
    user = 1,    // icons and cursors held, and every window of the program
    kernel = 2,  // kernel handles held
    ticks = 3,   // timer ticks handled to the end since start-up
    tecla = 4,   // the activation key's virtual-key code
    pulsaciones = 5,        // left-button presses the panel and its commands have had
    avisosIcono = 6,        // button releases the tray icon has reported
    movimientosIcono = 7,   // mouse moves over the icon it has reported
    guardian = 8,           // the guardian known to be waiting (its process id), or 0
    teclaRegistrada = 9,    // 1 while the key is registered as a system hot key
};

}  // namespace tesk
