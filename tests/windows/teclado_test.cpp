// The asynchronous key state of the function keys, sent as the user would
// press them: the key down now, and pressed since the previous query.
#include <gtest/gtest.h>

#include <string>

#include "desktop/Conversiones.h"
#include "desktop/EscritorioWin32.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanaLocal.h"

namespace tesk {
namespace {

class EstadoTecla : public testing::TestWithParam<WORD> {
protected:
    void SetUp() override {
        SetForegroundWindow(foco_.Hwnd());
        ASSERT_TRUE(prueba::EsperarHasta([&] { return GetForegroundWindow() == foco_.Hwnd(); }));
        escritorio_.EstadoTecla(Tecla());  // forget any earlier press
    }

    WORD Tecla() const { return GetParam(); }
    WORD OtraTecla() const { return Tecla() == VK_F12 ? VK_F6 : static_cast<WORD>(Tecla() + 1); }

    // Queries until the key is (or is no longer) down, and returns every bit
    // the queries reported along the way.
    std::uint16_t EsperarAbajo(bool abajo) {
        std::uint16_t vistos = 0;
        const bool llego = prueba::EsperarHasta([&] {
            const std::uint16_t estado = escritorio_.EstadoTecla(Tecla());
            vistos |= estado;
            return ((estado & kTeclaAbajo) != 0) == abajo;
        });
        EXPECT_TRUE(llego);
        return vistos;
    }

    EscritorioWin32 escritorio_;
    prueba::VentanaLocal foco_{L"Tesk teclas"};
};

TEST_P(EstadoTecla, SostenidaSeVeAbajoYPulsadaUnaSolaVez) {
    prueba::TeclaSostenida tecla(Tecla());
    EXPECT_EQ(EsperarAbajo(true), kTeclaAbajo | kTeclaPulsada);
    EXPECT_EQ(escritorio_.EstadoTecla(Tecla()), kTeclaAbajo);
    EXPECT_EQ(escritorio_.EstadoTecla(Tecla()), kTeclaAbajo);
    EXPECT_EQ(escritorio_.EstadoTecla(OtraTecla()), 0);

    tecla.Soltar();
    EXPECT_EQ(EsperarAbajo(false) & kTeclaPulsada, 0);  // letting go is no press
    EXPECT_EQ(escritorio_.EstadoTecla(Tecla()), 0);
}

TEST_P(EstadoTecla, PulsadaYSueltaEntreDosConsultasSeVePulsada) {
    prueba::PulsarYSoltar(Tecla());
    std::uint16_t vistos = 0;
    EXPECT_TRUE(prueba::EsperarHasta([&] { return (vistos |= escritorio_.EstadoTecla(Tecla())) != 0; }));
    EXPECT_EQ(vistos, kTeclaPulsada);
    EXPECT_EQ(escritorio_.EstadoTecla(Tecla()), 0);
}

INSTANTIATE_TEST_SUITE_P(TeclasDeFuncion, EstadoTecla,
                         testing::Values(VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12),
                         [](const testing::TestParamInfo<WORD>& info) {
                             std::string nombre(1, 'F');
                             nombre += std::to_string(info.param - VK_F1 + 1);
                             return nombre;
                         });

}  // namespace
}  // namespace tesk
