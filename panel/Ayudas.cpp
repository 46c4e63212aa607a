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

void Ayudas::Agregar(HWND herramienta, std::wstring_view texto) {
    TTTOOLINFOW datos{};
    // The version-2 size, which every common-controls version accepts.
    datos.cbSize = TTTOOLINFOW_V2_SIZE;
    datos.uFlags = TTF_IDISHWND;
    datos.hwnd = panel_;
    datos.uId = reinterpret_cast<UINT_PTR>(herramienta);
    std::wstring copia(texto);  // the control copies the text
    datos.lpszText = copia.data();
    ::SendMessageW(ventana_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&datos));
}

void Ayudas::Relevar(HWND herramienta, UINT mensaje, WPARAM w, LPARAM l) {
    const DWORD posicion = ::GetMessagePos();
    MSG relevado{herramienta, mensaje, w, l, static_cast<DWORD>(::GetMessageTime()),
                 {GET_X_LPARAM(posicion), GET_Y_LPARAM(posicion)}};
    ::SendMessageW(ventana_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relevado));
}

void Ayudas::Ocultar() { ::SendMessageW(ventana_.get(), TTM_POP, 0, 0); }

}  // namespace tesk
