// A desktop of many test windows for tesk.exe to work on, opened in batches
// (one ventanas_prueba.exe each, so that no command line grows too long),
// and the checks every reliability test ends with.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/soporte/Escena.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk::fiabilidad {

// Arguments for ventanas_prueba.exe: that many windows titled
// "<prefix> 0001"..., every third one minimised and every fifth maximised
// when mezclar is true.
std::vector<std::wstring> Muchas(const std::wstring& prefijo, std::size_t cuantas, bool mezclar = true);

// The arguments for one window with that title and modifiers.
std::vector<std::wstring> Una(const std::wstring& titulo, const std::vector<std::wstring>& modificadores = {});

std::vector<std::wstring> Juntar(std::vector<std::wstring> unos, const std::vector<std::wstring>& otros);

// The windows, or their states, without that one.
std::vector<HWND> Menos(std::vector<HWND> ventanas, HWND sin);
std::map<HWND, e2e::EstadoVentana> Menos(std::map<HWND, e2e::EstadoVentana> estados, HWND sin);

// The window most tests press the key over: opened first, so that it is the
// first of Todas(), and marked in the list, so that a hide pass leaves it on
// screen.
inline constexpr wchar_t kFoco[] = L"Foco";

class Lote : public e2e::Escena {
protected:
    // Opens the windows in batches of at most kPorLote, before tesk.exe.
    void AbrirLotes(const std::vector<std::wstring>& argumentos);
    // Marks the list's entry with that text through the list box (its row
    // may be scrolled out of sight in a long list).
    void MarcarEntrada(const std::wstring& texto);
    // Every window opened by AbrirLotes, in order.
    const std::vector<HWND>& Todas() const { return todas_; }

    // Opens "Foco", then the windows of those arguments after it, in the
    // batches AbrirLotes makes of them all; returns "Foco".
    HWND AbrirConFoco(const std::vector<std::wstring>& otras = {});
    // Marks "Foco"'s entry.
    void MarcarFoco() { MarcarEntrada(kFoco); }
    // Opens "Foco" and those windows, starts tesk.exe beside them (in a job
    // with those further limits) and marks "Foco"; returns "Foco".
    HWND ArrancarConFoco(const std::vector<std::wstring>& otras = {}, DWORD limitesTrabajo = 0);

    // One press of the activation key with that window in front, and the
    // wait for the hide (icon gone, those windows hidden) or the restore
    // (icon back) it starts.
    testing::AssertionResult Ocultar(HWND foco, const std::vector<HWND>& seOcultan);
    bool Restaurar(HWND foco);

    // Windows whose state differs from the one recorded, as text for a
    // failure message (empty when every window is back).
    static std::string Diferencias(const std::map<HWND, e2e::EstadoVentana>& antes);
    // Waits until every window of the map is back in its recorded state.
    static bool EsperarEstados(const std::map<HWND, e2e::EstadoVentana>& antes);

    void TearDown() override;

private:
    std::vector<std::unique_ptr<prueba::VentanasPrueba>> lotes_;
    std::vector<HWND> todas_;
};

using prueba::Colgada;
using prueba::Cuelgue;

}  // namespace tesk::fiabilidad
