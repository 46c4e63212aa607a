// The panel hidden with its own image and brought back with the tray icon,
// and the icon put back when the shell starts again.
#include <gtest/gtest.h>

#include "tests/e2e/soporte/Escena.h"
#include "tests/windows/soporte/Entrada.h"
#include "tests/windows/soporte/Esperar.h"

namespace tesk::e2e {
namespace {

constexpr UINT kIdIcono = 1;

using Bandeja = Escena;

TEST_F(Bandeja, ImMinimizarOcultaElPanelYCadaClicEnElIconoLoAlterna) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Se oculta"});
    const HWND seQueda = Ventanas()[0];
    const HWND seOculta = Ventanas()[1];
    const HWND icono = IconoTesk();

    ElPanel().ClicEn(kImMinimizar);
    ASSERT_TRUE(EsperarPanel(false));
    DejarPasarTicks();
    EXPECT_EQ(IconoTesk(), icono) << "hiding the panel touched the icon";
    EXPECT_TRUE(IsWindowVisible(seOculta));

    {
        SCOPED_TRACE("the key works with the panel hidden");
        ElPanel().Marcar(ElPanel().Fila(L"Se queda"), true);
        Pulsar(VK_F6, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, false));
        Pulsar(VK_F6, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, true));
        ASSERT_TRUE(EsperarIcono(true));
        EXPECT_FALSE(ElPanel().Visible());
    }

    for (const bool derecho : {false, true}) {
        SCOPED_TRACE(derecho ? "right button" : "left button");
        ClicEnIconoTesk(derecho);
        ASSERT_TRUE(EsperarPanel(true));
        EXPECT_TRUE(prueba::EsperarHasta([&] { return ElPanel().SiempreEncima(); }))
            << "the panel came back below other windows";
        EXPECT_EQ(ElPanel().Alfa(), kAlfaPanel);
        ClicEnIconoTesk(derecho);
        ASSERT_TRUE(EsperarPanel(false));
        DejarPasarTicks();
        EXPECT_FALSE(ElPanel().Visible()) << "one click toggled the panel twice";
    }
}

TEST_F(Bandeja, ElIconoVuelveCuandoElShellEmpiezaDeNuevoSalvoConVentanasOcultas) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Se oculta"});
    const HWND seQueda = Ventanas()[0];
    const HWND seOculta = Ventanas()[1];

    {
        SCOPED_TRACE("with the panel hidden, the icon is the only way back");
        ElPanel().ClicEn(kImMinimizar);
        ASSERT_TRUE(EsperarPanel(false));
        PerderIcono(ElPanel().Hwnd(), kIdIcono);
        ASSERT_TRUE(EsperarIcono(false)) << "the icon could not be deleted as the shell loses it";
        AnunciarShellNuevo();
        ASSERT_TRUE(EsperarIcono(true)) << "the icon did not come back";
        ClicEnIconoTesk();
        EXPECT_TRUE(EsperarPanel(true));
    }
    {
        SCOPED_TRACE("while windows are concealed there is no icon to bring back");
        ElPanel().Marcar(ElPanel().Fila(L"Se queda"), true);
        Pulsar(VK_F6, seQueda);
        ASSERT_TRUE(EsperarVisibles({seOculta}, false));
        ASSERT_TRUE(EsperarIcono(false));
        AnunciarShellNuevo();
        DejarPasarTicks();
        EXPECT_TRUE(IconosTesk().empty()) << "the icon came back while windows are concealed";
        Pulsar(VK_F6, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, true));
        EXPECT_TRUE(EsperarIcono(true));
    }
}

}  // namespace
}  // namespace tesk::e2e
