// Every orderly end of the program gives back what it conceals and takes its
// icon with it: a close asked by another program, the end of the session,
// and the close image.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/soporte/Entrada.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Finales.h"

namespace tesk::e2e {
namespace {

constexpr std::chrono::milliseconds kEsperaFin{30000};

class FinOrdenado : public Escena, public testing::WithParamInterface<Final> {};

TEST_P(FinOrdenado, DevuelveLasVentanasOcultasYSeLlevaElIcono) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Normal", L"--ventana", L"Minimizada", L"--min",
              L"--ventana", L"Maximizada", L"--max"});
    const std::vector<HWND> todas = Ventanas().Ventanas();
    MarcarConClic(L"Se queda");
    Enfocar(todas[0]);
    const auto antes = EstadosDe(todas);
    prueba::PulsarYSoltar(VK_F6);
    ASSERT_TRUE(EsperarVisibles({todas[1], todas[2], todas[3]}, false));
    ASSERT_TRUE(EsperarIcono(false));

    GetParam().terminar(ElPanel().Hwnd());
    ASSERT_TRUE(Tesk().EsperarFin(kEsperaFin)) << "the program did not end";
    // The end of the session waits for no window: what it asked, and what
    // the guardian shows after it, lands in the windows' own time.
    EXPECT_TRUE(prueba::EsperarHasta([&] { return EstadosDe(todas) == antes; }))
        << "a window was left hidden or in another state";
    DejarPasarTicks();
    EXPECT_TRUE(IconosTesk().empty()) << "an icon was left behind";
}

INSTANTIATE_TEST_SUITE_P(Finales, FinOrdenado,
                         testing::Values(Final{"WM_CLOSE", CerrarDesdeFuera}, Final{"FinDeSesion", TerminarSesion}),
                         [](const testing::TestParamInfo<Final>& info) { return std::string(info.param.nombre); });

using Cerrar = Escena;

TEST_F(Cerrar, ImCerrarSinNadaOcultoQuitaElIconoYTerminaSinTocarLasVentanas) {
    Arrancar({L"--ventana", L"Normal", L"--ventana", L"Minimizada", L"--min", L"--ventana", L"Maximizada", L"--max"});
    const std::vector<HWND> todas = Ventanas().Ventanas();
    const auto antes = EstadosDe(todas);

    ElPanel().ClicEn(kImCerrar);
    ASSERT_TRUE(Tesk().EsperarFin(kEsperaFin)) << "the close image did not end the program";
    EXPECT_EQ(EstadosDe(todas), antes);
    DejarPasarTicks();
    EXPECT_TRUE(IconosTesk().empty()) << "an icon was left behind";
}

}  // namespace
}  // namespace tesk::e2e
