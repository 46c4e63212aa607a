// Many cycles and many windows: hide and restore passes repeated over fifty
// windows lose none of them, leave none in another state, and leave the
// program's memory and the objects and handles it holds where they were; a
// desktop of many windows (2,000 in the benchmark command) fills the list and
// both passes handle every window.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "tests/soporte/Acercade.h"
#include "tests/soporte/Consumo.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Lote.h"

namespace tesk::fiabilidad {
namespace {

constexpr wchar_t kVariableCiclos[] = L"TESK_CICLOS";
constexpr int kCiclosPorOmision = 25;
constexpr std::size_t kVentanasCiclos = 50;
constexpr wchar_t kVariableVentanasCarga[] = L"TESK_VENTANAS_CARGA";
constexpr std::size_t kVentanasCargaPorOmision = 2000;
// How many of the many windows stay marked, spread over the list.
constexpr std::size_t kMarcadas = 5;
constexpr wchar_t kVariableSuelo[] = L"TESK_SUELO_CARGA";
// A pass over 2,000 windows of other processes takes minutes here (the
// restore about four); a slower machine gets room to spare.
constexpr std::chrono::seconds kEsperaCarga{900};
// Growth of the resident size allowed between the first and the last cycle:
// what the allocator and Wine may keep for themselves, far below what a leak
// of a few hundred bytes a cycle adds up to over the full run. The objects
// and handles the program holds must not change at all.
constexpr std::size_t kHolguraResidente = 1024 * 1024;

// A positive whole number from the environment, or the default.
int NumeroDe(const wchar_t* variable, int porOmision) {
    wchar_t valor[32]{};
    if (GetEnvironmentVariableW(variable, valor, std::size(valor)) == 0) return porOmision;
    const int numero = _wtoi(valor);
    return numero > 0 ? numero : porOmision;
}

void Informar(const char* nombre, const Consumo& primero, const Consumo& ultimo, int ciclos) {
    std::cout << "[ figures  ] " << nombre << ": " << ciclos << " cycles; resident " << primero.residente / 1024
              << " KB -> " << ultimo.residente / 1024 << " KB; gdi " << primero.gdi << " -> " << ultimo.gdi
              << "; user " << primero.user << " -> " << ultimo.user << "; kernel " << primero.kernel << " -> "
              << ultimo.kernel << std::endl;
}

using Carga = Lote;

TEST_F(Carga, CiclosRepetidosNoPierdenVentanasNiMemoriaNiHandles) {
    // One window stays (marked) and takes the key; the rest, in all three
    // show states, go and come back every cycle.
    const HWND foco = ArrancarConFoco(Muchas(L"Ciclo", kVentanasCiclos - 1));
    const std::vector<HWND> seOcultan(Todas().begin() + 1, Todas().end());
    const auto antes = e2e::EstadosDe(Todas());

    const int ciclos = NumeroDe(kVariableCiclos, kCiclosPorOmision);
    std::optional<Consumo> primero;
    for (int ciclo = 1; ciclo <= ciclos; ++ciclo) {
        SCOPED_TRACE(testing::Message() << "cycle " << ciclo);
        ASSERT_TRUE(Ocultar(foco, seOcultan)) << "the hide pass left windows visible";
        ASSERT_TRUE(IsWindowVisible(foco)) << "the marked window was hidden";
        ASSERT_TRUE(Restaurar(foco)) << "the restore did not end";
        ASSERT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
        // Measured from the end of the first cycle on: by then the program
        // has made everything a cycle needs once.
        if (ciclo == 1) {
            primero = ConsumoDe(Tesk().Id());
            ASSERT_TRUE(primero) << "tesk.exe's process could not be read";
            // Its fonts, pictures, windows and one-copy mutex at least.
            ASSERT_GT(primero->gdi, 0);
            ASSERT_GT(primero->user, 3);
            ASSERT_GE(primero->kernel, 1);
        }
    }
    const std::optional<Consumo> ultimo = ConsumoDe(Tesk().Id());
    ASSERT_TRUE(ultimo);
    Informar("cycles over 50 windows", *primero, *ultimo, ciclos);
    EXPECT_EQ(ultimo->gdi, primero->gdi) << "GDI objects grow with the cycles";
    EXPECT_EQ(ultimo->user, primero->user) << "USER objects grow with the cycles";
    EXPECT_EQ(ultimo->kernel, primero->kernel) << "kernel handles grow with the cycles";
    EXPECT_LE(ultimo->residente, primero->residente + kHolguraResidente) << "memory grows with the cycles";
}

// The program's own counts rise while the About box is open (its window,
// picture and font) and come back to where they were when it closes: what a
// window of the program takes, it gives back.
TEST_F(Carga, LaCajaAcercadeDevuelveLoQueToma) {
    AbrirLotes(Una(L"Una ventana"));
    ArrancarTesk();
    const std::optional<Consumo> antes = ConsumoDe(Tesk().Id());
    ASSERT_TRUE(antes);
    for (int vez = 1; vez <= 3; ++vez) {
        SCOPED_TRACE(testing::Message() << "opening " << vez);
        const HWND caja = e2e::AbrirAcercade(ElPanel(), Tesk());
        ASSERT_NE(caja, nullptr);
        const std::optional<Consumo> abierta = ConsumoDe(Tesk().Id());
        ASSERT_TRUE(abierta);
        EXPECT_GT(abierta->user, antes->user) << "the box's window is not counted";
        EXPECT_GT(abierta->gdi, antes->gdi) << "the box's picture and font are not counted";

        ASSERT_TRUE(e2e::CerrarAcercade(caja));
        ASSERT_TRUE(prueba::EsperarHasta([&] { return !IsWindow(caja); }));
        const std::optional<Consumo> cerrada = ConsumoDe(Tesk().Id());
        ASSERT_TRUE(cerrada);
        EXPECT_EQ(cerrada->gdi, antes->gdi);
        EXPECT_EQ(cerrada->user, antes->user);
        EXPECT_EQ(cerrada->kernel, antes->kernel);
    }
}

// Waits up to `limite` for every window of the list to have that visibility
// and for the icon to be present or not, printing how far it got every ten
// seconds; true when it got there.
bool SeguirPasada(const std::vector<HWND>& ventanas, bool visibles, bool icono, std::chrono::seconds limite,
                  const std::function<double()>& segundos) {
    const auto fin = std::chrono::steady_clock::now() + limite;
    auto aviso = std::chrono::steady_clock::now();
    for (;;) {
        const auto faltan = std::count_if(ventanas.begin(), ventanas.end(),
                                          [&](HWND v) { return (IsWindowVisible(v) != FALSE) != visibles; });
        const bool conIcono = e2e::IconoTesk() != nullptr;
        if (faltan == 0 && conIcono == icono) return true;
        const auto ahora = std::chrono::steady_clock::now();
        if (ahora >= fin) return false;
        if (ahora >= aviso) {
            std::cout << "[ progress ] " << segundos() << " s: " << faltan << " windows to go, icon "
                      << (conIcono ? "shown" : "gone") << std::endl;
            aviso = ahora + std::chrono::seconds(10);
        }
        // Until the next report, or sooner if the pass ends.
        prueba::EsperarHasta(
            [&] {
                return (e2e::IconoTesk() != nullptr) == icono &&
                       std::all_of(ventanas.begin(), ventanas.end(),
                                   [&](HWND v) { return (IsWindowVisible(v) != FALSE) == visibles; });
            },
            std::chrono::seconds(10));
    }
}

// Under Wine here each hide or show call costs more the more windows there
// are, so this runs as a test of its own (tesk_carga); 2,000 windows take a
// quarter of an hour.
// With TESK_SUELO_CARGA set (the benchmark command) it also times a bare
// loop of the same calls, as the floor for its figures.
TEST_F(Carga, MuchasVentanasLlenanLaListaYAmbasPasadasLasRecorren) {
    const auto cuantas =
        static_cast<std::size_t>(NumeroDe(kVariableVentanasCarga, static_cast<int>(kVentanasCargaPorOmision)));
    std::cout << "[ figures  ] " << cuantas << " windows" << std::endl;
    const auto inicio = std::chrono::steady_clock::now();
    const std::function<double()> segundos = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    };
    const HWND foco = AbrirConFoco(Muchas(L"Carga", cuantas - 1));
    std::cout << "[ figures  ] windows open at " << segundos() << " s" << std::endl;
    ArrancarTesk();
    std::cout << "[ figures  ] panel up at " << segundos() << " s" << std::endl;
    const HWND caja = ElPanel().CajaLista();
    ASSERT_EQ(SendMessageW(caja, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(cuantas))
        << "the list does not hold every window";
    EXPECT_EQ(ElPanel().Textos().back().substr(0, 5), L"Carga");

    // A few marked, spread over the list: "Ocultar todo excepto" keeps them.
    std::vector<HWND> quedan = {foco};
    std::vector<HWND> seOcultan;
    for (std::size_t i = 1; i < Todas().size(); ++i) {
        (i % std::max<std::size_t>(cuantas / kMarcadas, 1) == 0 ? quedan : seOcultan).push_back(Todas()[i]);
    }
    for (HWND ventana : quedan) MarcarEntrada(e2e::TituloDe(ventana));
    const auto antes = e2e::EstadosDe(Todas());

    std::cout << "[ figures  ] key pressed at " << segundos() << " s" << std::endl;
    Pulsar(VK_F6, foco);
    ASSERT_TRUE(SeguirPasada(seOcultan, false, false, kEsperaCarga, segundos)) << "the hide pass did not end";
    std::cout << "[ figures  ] hidden at " << segundos() << " s" << std::endl;
    for (HWND ventana : quedan) EXPECT_TRUE(IsWindowVisible(ventana)) << "a marked window was hidden";

    std::cout << "[ figures  ] key pressed at " << segundos() << " s" << std::endl;
    Pulsar(VK_F6, foco);
    ASSERT_TRUE(SeguirPasada(seOcultan, true, true, kEsperaCarga, segundos)) << "the restore did not end";
    std::cout << "[ figures  ] restored at " << segundos() << " s" << std::endl;
    ASSERT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
    if (GetEnvironmentVariableW(kVariableSuelo, nullptr, 0) == 0) return;

    // The floor for these figures: the same hide and show calls from a bare
    // loop, in the order the program makes them (front to back).
    std::vector<HWND> orden;
    const std::set<HWND> ocultables(seOcultan.begin(), seOcultan.end());
    for (HWND v = GetTopWindow(nullptr); v != nullptr; v = GetWindow(v, GW_HWNDNEXT)) {
        if (ocultables.contains(v)) orden.push_back(v);
    }
    ASSERT_EQ(orden.size(), seOcultan.size());
    std::cout << "[ figures  ] bare hide loop from " << segundos() << " s" << std::endl;
    for (HWND v : orden) ShowWindow(v, SW_HIDE);
    std::cout << "[ figures  ] bare hide loop to " << segundos() << " s" << std::endl;
    for (HWND v : orden) ShowWindow(v, static_cast<int>(antes.at(v).showCmd));
    std::cout << "[ figures  ] bare show loop to " << segundos() << " s" << std::endl;
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

}  // namespace
}  // namespace tesk::fiabilidad
