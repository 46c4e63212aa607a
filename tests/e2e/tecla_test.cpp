// Choosing the activation key: a double-click on either key label advances
// it from F6 to F12 and round to F6 again.
#include <gtest/gtest.h>

#include "panel/Nombres.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanasPrueba.h"
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

// The key as a system hot key. Held by another program first, it is read
// as before; once that program lets it go, Tesk takes it within a second,
// and from then on the window in front never receives it. Changing the key
// moves the registration.
TEST_F(TeclaActivacion, LaTeclaNoLlegaAlProgramaDeDelanteMientrasTeskLaTiene) {
    constexpr int kAtajoAjeno = 7;
    ASSERT_TRUE(RegisterHotKey(nullptr, kAtajoAjeno, MOD_NOREPEAT, VK_F6)) << "the test could not hold F6";
    Arrancar({L"--ventana", L"Delante", L"--ventana", L"Se oculta"});
    const HWND delante = Ventanas()[0];
    const HWND seOculta = Ventanas()[1];
    MarcarConClic(L"Delante");
    const auto registrada = [&] { return ElPanel().Preguntar(TipoRecurso::teclaRegistrada); };
    DejarPasarTicks();
    EXPECT_EQ(registrada(), std::optional<long>(0)) << "a key another program holds was taken";
    Pulsar(VK_F6, delante);
    EXPECT_TRUE(EsperarVisibles({seOculta}, false)) << "a key another program holds is not read";
    Pulsar(VK_F6, delante);
    EXPECT_TRUE(EsperarVisibles({seOculta}, true));
    ASSERT_TRUE(EsperarIcono(true));

    UnregisterHotKey(nullptr, kAtajoAjeno);
    MSG mensaje;
    while (PeekMessageW(&mensaje, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
    }
    ASSERT_TRUE(prueba::EsperarHasta([&] { return registrada() == 1; })) << "the key was not taken once let go";
    // A key the window in front does receive, and then the program's own.
    const long antes = prueba::TeclasRecibidas(delante);
    Pulsar(VK_F9, delante);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return prueba::TeclasRecibidas(delante) == antes + 1; }))
        << "the window in front receives no keys at all";
    Pulsar(VK_F6, delante);
    EXPECT_TRUE(EsperarVisibles({seOculta}, false));
    Pulsar(VK_F6, delante);
    EXPECT_TRUE(EsperarVisibles({seOculta}, true));
    ASSERT_TRUE(EsperarIcono(true));
    Pulsar(VK_F9, delante);
    // Keys arrive in order: once the second F9 is there, so is anything before it.
    ASSERT_TRUE(prueba::EsperarHasta([&] { return prueba::TeclasRecibidas(delante) >= antes + 2; }));
    EXPECT_EQ(prueba::TeclasRecibidas(delante), antes + 2) << "the window in front received the activation key";
    EXPECT_FALSE(RegisterHotKey(nullptr, kAtajoAjeno, MOD_NOREPEAT, VK_F6)) << "another program could take F6";

    OlvidarPulsaciones();
    ClicEnIconoTesk();
    ASSERT_TRUE(EsperarPanel(true));
    ElPanel().DobleClicEn(kLBTecla0);
    Sincronizar();
    ASSERT_EQ(ElPanel().Tecla(), std::optional<long>(VK_F7));
    EXPECT_TRUE(prueba::EsperarHasta([&] { return registrada() == 1; })) << "F7 was not taken";
    EXPECT_FALSE(RegisterHotKey(nullptr, kAtajoAjeno, MOD_NOREPEAT, VK_F7)) << "another program could take F7";
    EXPECT_TRUE(RegisterHotKey(nullptr, kAtajoAjeno, MOD_NOREPEAT, VK_F6)) << "F6 was kept";
    UnregisterHotKey(nullptr, kAtajoAjeno);
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
