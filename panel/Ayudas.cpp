#include "panel/Ayudas.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "ui/Modulo.h"

namespace tesk {

Ayudas::Ayudas(HWND panel)
    : panel_(panel),
      ventana_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, panel, nullptr,
                                 ModuloPropio(), nullptr)) {}

TTTOOLINFOW Ayudas::Herramienta(UINT id) const {
    TTTOOLINFOW herramienta{};
    // The version-2 size, which every common-controls version accepts.
    herramienta.cbSize = TTTOOLINFOW_V2_SIZE;
    herramienta.hwnd = panel_;
    herramienta.uId = id;
    return herramienta;
}

void Ayudas::Agregar(UINT id, const RECT& rect, std::wstring_view texto) {
    TTTOOLINFOW herramienta = Herramienta(id);
    herramienta.rect = rect;
    std::wstring copia(texto);  // the control copies the text
    herramienta.lpszText = copia.data();
    ::SendMessageW(ventana_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&herramienta));
}

void Ayudas::Mover(UINT id, const RECT& rect) {
    TTTOOLINFOW herramienta = Herramienta(id);
    herramienta.rect = rect;
    ::SendMessageW(ventana_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&herramienta));
}

void Ayudas::Relevar(UINT mensaje, WPARAM w, LPARAM l) {
    const DWORD posicion = ::GetMessagePos();
    MSG relevado{panel_, mensaje, w, l, static_cast<DWORD>(::GetMessageTime()),
                 {GET_X_LPARAM(posicion), GET_Y_LPARAM(posicion)}};
    ::SendMessageW(ventana_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relevado));
}

void Ayudas::Ocultar() { ::SendMessageW(ventana_.get(), TTM_POP, 0, 0); }

}  // namespace tesk
