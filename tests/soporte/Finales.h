// The orderly ways another program or the system can end Tesk, for the
// tests that check each one gives back what is concealed.
#pragma once

#include <windows.h>

#include <functional>

namespace tesk::e2e {

struct Final {
    const char* nombre;
    std::function<void(HWND panel)> terminar;
};

// A close asked by another program.
void CerrarDesdeFuera(HWND panel);

// The end of the session: the query, which must be answered yes, then the end.
void TerminarSesion(HWND panel);

}  // namespace tesk::e2e
