// Each orderly end of the program while windows are concealed, one of them
// hung: the program gives back every window without waiting for the hung
// one, ends, takes its icon with it, and the hung window takes its state
// when it wakes.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "tests/soporte/Esperar.h"
#include "tests/soporte/Finales.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Lote.h"
#include "tests/soporte/Protocolo.h"

namespace tesk::fiabilidad {
namespace {

constexpr std::chrono::milliseconds kEsperaFin{30000};

class FinConVentanaColgada : public Lote, public testing::WithParamInterface<e2e::Final> {};

TEST_P(FinConVentanaColgada, DevuelveLasVentanasSinEsperarALaColgada) {
    const HWND foco =
        ArrancarConFoco(Juntar(Una(L"Colgada", {prueba::kOpcionMin, prueba::kOpcionHilo}), Muchas(L"Oculta", 10)));
    const HWND colgada = Todas()[1];
    const auto antes = e2e::EstadosDe(Todas());
    std::vector<HWND> seOcultan(Todas().begin() + 1, Todas().end());
    ASSERT_TRUE(Ocultar(foco, seOcultan));

    Cuelgue cuelgue(colgada);
    GetParam().terminar(ElPanel().Hwnd());
    ASSERT_TRUE(Tesk().EsperarFin(kEsperaFin)) << "the program did not end";
    auto sinLaColgada = antes;
    sinLaColgada.erase(colgada);
    EXPECT_TRUE(EsperarEstados(sinLaColgada)) << "a window was left hidden or in another state:\n"
                                              << Diferencias(sinLaColgada);
    cuelgue.Despertar();
    EXPECT_TRUE(prueba::EsperarHasta([&] { return e2e::EstadoDe(colgada) == antes.at(colgada); }))
        << "the hung window did not take its state when it woke";
    EXPECT_TRUE(e2e::IconosTesk().empty()) << "an icon was left behind";
}

INSTANTIATE_TEST_SUITE_P(Finales, FinConVentanaColgada,
                         testing::Values(e2e::Final{"WM_CLOSE", e2e::CerrarDesdeFuera},
                                         e2e::Final{"FinDeSesion", e2e::TerminarSesion}),
                         [](const testing::TestParamInfo<e2e::Final>& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace tesk::fiabilidad
