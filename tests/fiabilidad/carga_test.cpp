// Many cycles and many windows: hide and restore passes repeated over fifty
// windows lose none of them, leave none in another state, and leave the
// program's memory and handle count where they were; a desktop of 2,000
// windows fills the list and both passes handle every window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tests/fiabilidad/soporte/Consumo.h"
#include "tests/fiabilidad/soporte/Lote.h"
#include "tests/windows/soporte/Esperar.h"

namespace tesk::fiabilidad {
namespace {

constexpr wchar_t kVariableCiclos[] = L"TESK_CICLOS";
constexpr int kCiclosPorOmision = 25;
constexpr std::size_t kVentanasCiclos = 50;
constexpr std::size_t kVentanasCarga = 2000;
// Growth allowed between the first and the last cycle: what the allocator
// and Wine may keep for themselves, far below what a leak of one object or
// one handle per cycle would add up to over the cycles.
constexpr DWORD kHolguraHandles = 8;
constexpr std::size_t kHolguraResidente = 1024 * 1024;

int Ciclos() {
    wchar_t valor[32]{};
    if (GetEnvironmentVariableW(kVariableCiclos, valor, std::size(valor)) == 0) return kCiclosPorOmision;
    const int ciclos = _wtoi(valor);
    return ciclos > 0 ? ciclos : kCiclosPorOmision;
}

void Informar(const char* nombre, const Consumo& primero, const Consumo& ultimo, int ciclos) {
    std::cout << "[ figures  ] " << nombre << ": " << ciclos << " cycles; resident " << primero.residente / 1024
              << " KB -> " << ultimo.residente / 1024 << " KB; handles " << primero.handles << " -> "
              << ultimo.handles << "\n";
    testing::Test::RecordProperty("residente_primero_kb", std::to_string(primero.residente / 1024));
    testing::Test::RecordProperty("residente_ultimo_kb", std::to_string(ultimo.residente / 1024));
    testing::Test::RecordProperty("handles_primero", std::to_string(primero.handles));
    testing::Test::RecordProperty("handles_ultimo", std::to_string(ultimo.handles));
}

using Carga = Lote;

TEST_F(Carga, CiclosRepetidosNoPierdenVentanasNiMemoriaNiHandles) {
    // One window stays (marked) and takes the key; the rest, in all three
    // show states, go and come back every cycle.
    AbrirLotes(Juntar(Una(L"Foco"), Muchas(L"Ciclo", kVentanasCiclos - 1)));
    ArrancarTesk();
    const HWND foco = Todas().front();
    const std::vector<HWND> seOcultan(Todas().begin() + 1, Todas().end());
    MarcarEntrada(L"Foco");
    const auto antes = e2e::EstadosDe(Todas());

    const int ciclos = Ciclos();
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
        }
    }
    const std::optional<Consumo> ultimo = ConsumoDe(Tesk().Id());
    ASSERT_TRUE(ultimo);
    Informar("cycles over 50 windows", *primero, *ultimo, ciclos);
    EXPECT_LE(ultimo->handles, primero->handles + kHolguraHandles) << "handles grow with the cycles";
    EXPECT_LE(ultimo->residente, primero->residente + kHolguraResidente) << "memory grows with the cycles";
}

// Off in the ordinary run: under Wine here, opening 2,000 windows takes about
// three minutes and the hide pass over them outlasts the wait for it. Run it
// with --gtest_also_run_disabled_tests.
TEST_F(Carga, DISABLED_DosMilVentanasLlenanLaListaYAmbasPasadasLasRecorren) {
    AbrirLotes(Juntar(Una(L"Foco"), Muchas(L"Carga", kVentanasCarga - 1)));
    ArrancarTesk();
    const HWND caja = ElPanel().CajaLista();
    ASSERT_EQ(SendMessageW(caja, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(kVentanasCarga))
        << "the list does not hold every window";
    EXPECT_EQ(ElPanel().Textos().back().substr(0, 5), L"Carga");

    // A few marked, spread over the list: "Ocultar todo excepto" keeps them.
    const HWND foco = Todas().front();
    std::vector<HWND> quedan = {foco};
    std::vector<HWND> seOcultan;
    for (std::size_t i = 1; i < Todas().size(); ++i) {
        (i % 400 == 0 ? quedan : seOcultan).push_back(Todas()[i]);
    }
    for (HWND ventana : quedan) MarcarEntrada(e2e::TituloDe(ventana));
    const auto antes = e2e::EstadosDe(Todas());

    ASSERT_TRUE(Ocultar(foco, seOcultan)) << "the hide pass left windows visible";
    for (HWND ventana : quedan) EXPECT_TRUE(IsWindowVisible(ventana)) << "a marked window was hidden";
    ASSERT_TRUE(Restaurar(foco)) << "the restore did not end";
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

}  // namespace
}  // namespace tesk::fiabilidad
