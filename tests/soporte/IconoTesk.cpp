#include "tests/soporte/IconoTesk.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "tests/soporte/BandejaWine.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Panel.h"
#include "tray/Bandeja.h"

namespace tesk::e2e {

namespace {

constexpr wchar_t kMensajeShellNuevo[] = L"TaskbarCreated";

}  // namespace

std::vector<HWND> IconosTesk() {
    // The tip as the shell shows it: up to its NUL.
    static const std::wstring tip = TipIcono().c_str();
    std::vector<HWND> iconos;
    for (HWND icono : prueba::IconosBandeja()) {
        if (prueba::TipIcono(icono) == tip) iconos.push_back(icono);
    }
    return iconos;
}

HWND IconoTesk() {
    const std::vector<HWND> iconos = IconosTesk();
    return iconos.size() == 1 ? iconos.front() : nullptr;
}

POINT ClicEnIcono(HWND icono, bool derecho) {
    POINT centro{};
    if (!EsperarQueAlcance(icono, [icono] { return prueba::CentroIcono(icono); }, centro)) return centro;
    prueba::Clic(centro, derecho);
    ApartarRaton();
    return centro;
}

void PerderIcono(HWND duena, UINT id) {
    NOTIFYICONDATAW datos{};
    datos.cbSize = NOTIFYICONDATAW_V1_SIZE;
    datos.hWnd = duena;
    datos.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &datos);
}

void AnunciarShellNuevo() {
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(kMensajeShellNuevo), 0, 0);
}

}  // namespace tesk::e2e
