// Choosing the activation key: a double-click on either key label advances
// it from F6 to F12 and round to F6 again.
#include <gtest/gtest.h>

#include "tests/soporte/Entrada.h"
#include "tests/soporte/Escena.h"

namespace tesk::e2e {
namespace {

constexpr int kTeclasEnElCiclo = 7;  // F6 to F12

using TeclaActivacion = Escena;

TEST_F(TeclaActivacion, ElDobleClicEnSusEtiquetasLaAvanzaYSieteVuelvenAF6) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Se oculta"});
    const HWND seQueda = Ventanas()[0];
    const HWND seOculta = Ventanas()[1];
    MarcarConClic(L"Se queda");

    ElPanel().DobleClicEn(kLBTecla0);
    Sincronizar();
    {
        SCOPED_TRACE("F7 after one double-click on the key's name");
        Pulsar(VK_F6, seQueda);
        DejarPasarTicks();
        EXPECT_TRUE(IsWindowVisible(seOculta)) << "F6 still conceals";
        EXPECT_TRUE(ElPanel().Visible());

        Pulsar(VK_F7, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, false)) << "F7 does not conceal";
        Pulsar(VK_F7, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, true)) << "F7 does not restore";
        ASSERT_TRUE(EsperarIcono(true));
    }

    // The press of F6 above is still pending in the key state; what the
    // program makes of such a press is the next test's business.
    OlvidarPulsaciones();
    ClicEnIconoTesk();
    ASSERT_TRUE(EsperarPanel(true));
    for (int vez = 1; vez < kTeclasEnElCiclo; ++vez) ElPanel().DobleClicEn(kLBTecla1);
    Sincronizar();
    // What a failure further down would otherwise leave unsaid: a double
    // click that did not advance the key.
    EXPECT_EQ(ElPanel().Tecla(), std::optional<long>(VK_F6)) << "six double clicks did not bring the key back to F6";
    {
        SCOPED_TRACE("F6 again after six double-clicks on \"Activar / Desactivar con:\"");
        Pulsar(VK_F7, seQueda);
        DejarPasarTicks();
        EXPECT_TRUE(IsWindowVisible(seOculta)) << "F7 still conceals";

        Pulsar(VK_F6, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, false)) << "F6 does not conceal";
        Pulsar(VK_F6, seQueda);
        EXPECT_TRUE(EsperarVisibles({seOculta}, true)) << "F6 does not restore";
    }
}

// A key pressed before it became the activation key was not pressed to
// conceal: choosing it must not conceal on its own.
TEST_F(TeclaActivacion, UnaPulsacionDeLaTeclaAnteriorAElegirlaNoCuenta) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Se oculta"});
    const HWND seQueda = Ventanas()[0];
    const HWND seOculta = Ventanas()[1];
    MarcarConClic(L"Se queda");

    Pulsar(VK_F7, seQueda);
    DejarPasarTicks();
    ASSERT_TRUE(IsWindowVisible(seOculta)) << "F7 conceals before it is chosen";

    ElPanel().DobleClicEn(kLBTecla0);
    Sincronizar();
    DejarPasarTicks();
    EXPECT_TRUE(IsWindowVisible(seOculta)) << "choosing F7 concealed on an earlier press";
    EXPECT_TRUE(ElPanel().Visible());

    OlvidarPulsaciones();
    Pulsar(VK_F7, seQueda);
    EXPECT_TRUE(EsperarVisibles({seOculta}, false)) << "F7 does not conceal";
}

}  // namespace
}  // namespace tesk::e2e
