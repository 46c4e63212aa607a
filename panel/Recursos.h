// What the program holds, for anyone who asks: a tool or a test sends the
// registered message kMensajeRecursos to the panel with one of the kinds
// below in wParam and gets the count back. Wine answers 0 for a process's
// USER and GDI objects and its handle count, so the program counts its own.
#pragma once

#include <windows.h>

namespace tesk {

inline constexpr wchar_t kMensajeRecursos[] = L"Tesk.Recursos";

enum class TipoRecurso : WPARAM {
    gdi = 0,     // fonts, bitmaps, brushes, device contexts held
    user = 1,    // icons and cursors held, and every window of the program
    kernel = 2,  // kernel handles held
};

// The answer to kMensajeRecursos; -1 for an unknown kind.
LRESULT RecursosRetenidos(WPARAM tipo) noexcept;

}  // namespace tesk
