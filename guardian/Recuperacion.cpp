#include "guardian/Recuperacion.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/AudioWin32.h"

#include "desktop/Conversiones.h"
#include "guardian/Registro.h"

namespace tesk::guardian {

namespace {

bool CabeceraValida(const Cabecera& cabecera, std::size_t tamano) {
    return tamano >= kTamano && cabecera.marca == kMarca && cabecera.version == kVersion &&
           cabecera.capacidad == kCapacidad && cabecera.tamanoEntrada == sizeof(Entrada) &&
           cabecera.usadas <= cabecera.capacidad && cabecera.capacidadSesiones == kCapacidadSesiones &&
           cabecera.tamanoSesion == sizeof(EntradaSesion) && cabecera.sesionesUsadas <= cabecera.capacidadSesiones;
}

// The session the entry names: its identifier whole (no terminator before
// its length, one right after) and a process; nothing for a free entry.
std::optional<std::pair<std::uint32_t, std::wstring>> SesionDe(const EntradaSesion& entrada) {
    if (entrada.largo == 0 || entrada.largo >= kLargoIdSesion || entrada.proceso == 0) return std::nullopt;
    if (entrada.id[entrada.largo] != L'\0') return std::nullopt;
    std::wstring id(entrada.id, entrada.largo);
    if (id.find(L'\0') != std::wstring::npos) return std::nullopt;
    return std::pair{entrada.proceso, std::move(id)};
}

void DevolverSesiones(const EntradaSesion* entradas, std::uint32_t usadas, Recuperadas& cuenta) {
    std::vector<std::pair<std::uint32_t, std::wstring>> sesiones;
    for (std::uint32_t i = 0; i < usadas; ++i) {
        EntradaSesion entrada;
        std::memcpy(&entrada, &entradas[i], sizeof entrada);
        if (entrada.largo == 0) continue;
        if (auto sesion = SesionDe(entrada)) {
            sesiones.push_back(std::move(*sesion));
        } else {
            ++cuenta.sesionesPerdidas;
        }
    }
    if (sesiones.empty()) return;
    // Only now, with sessions to give back, are COM and the audio services
    // loaded.
    AudioWin32 audio;
    for (const auto& [proceso, id] : sesiones) {
        if (audio.Silenciar(proceso, id, false))
            ++cuenta.sesiones;
        else
            ++cuenta.sesionesPerdidas;
    }
}

// The window the entry names, if it is still that window: top-level, of
// the same process and thread.
HWND VentanaDe(const Entrada& entrada) {
    if (entrada.ventana == 0 || !ComandoValido(entrada.mostrarCon)) return nullptr;
    const HWND ventana = HwndDe(entrada.ventana);
    if (!IsWindow(ventana) || GetAncestor(ventana, GA_PARENT) != GetDesktopWindow()) return nullptr;
    DWORD proceso = 0;
    const DWORD hilo = GetWindowThreadProcessId(ventana, &proceso);
    if (hilo == 0 || hilo != entrada.hilo || proceso != entrada.proceso) return nullptr;
    return ventana;
}

}  // namespace

Recuperadas Recuperar(const void* registro, std::size_t tamano) {
    Recuperadas cuenta;
    if (registro == nullptr) return cuenta;
    // Read once, into memory of our own: what is checked is what is used.
    Cabecera cabecera;
    std::memcpy(&cabecera, registro, sizeof cabecera);
    if (!CabeceraValida(cabecera, tamano)) return cuenta;
    const auto* entradas = reinterpret_cast<const Entrada*>(static_cast<const std::byte*>(registro) + sizeof(Cabecera));
    for (std::uint32_t i = 0; i < cabecera.usadas; ++i) {
        Entrada entrada;
        std::memcpy(&entrada, &entradas[i], sizeof entrada);
        if (entrada.ventana == 0) continue;
        const HWND ventana = VentanaDe(entrada);
        if (ventana == nullptr) {
            ++cuenta.rechazadas;
            continue;
        }
        // Never waits on the window's program. A window still on screen may
        // have a hide of Tesk's on its way: SW_SHOWNA, queued behind it,
        // shows it again as it is and changes nothing if it stays.
        if (IsWindowVisible(ventana)) {
            ShowWindowAsync(ventana, SW_SHOWNA);
            ++cuenta.enPantalla;
        } else {
            ShowWindowAsync(ventana, entrada.mostrarCon);
            ++cuenta.mostradas;
        }
    }
    try {
        DevolverSesiones(reinterpret_cast<const EntradaSesion*>(entradas + kCapacidad), cabecera.sesionesUsadas, cuenta);
    } catch (const std::bad_alloc&) {
    }
    return cuenta;
}

}  // namespace tesk::guardian
