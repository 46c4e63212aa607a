// The panel hidden with its own image and brought back with the tray icon,
// and the icon put back when the shell starts again.
#include <gtest/gtest.h>

#include "tests/soporte/Entrada.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"
#include "tray/Bandeja.h"

namespace tesk::e2e {
namespace {

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

// The window that holds the mouse capture on the panel's thread, as the
// window manager tells it to any program.
HWND CapturaDe(HWND ventana) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(ventana, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

// A drag that starts on a label holds the mouse capture (the label's own
// window, a child of the panel, takes it), so the panel's windows get moves
// at points outside the panel, including those where the icon's events
// would sit if they came as mouse moves (x = 514 and 517, y = 0 in client
// pixels, with the left button's flag equal to the icon's identifier).
TEST_F(Bandeja, ArrastrarSobreElPanelNoSeConfundeConUnClicEnElIcono) {
    Arrancar({L"--ventana", L"Una"});
    const HWND panel = ElPanel().Hwnd();
    // Near the screen's left edge, where those points are on the screen.
    ASSERT_TRUE(SetWindowPos(panel, nullptr, 0, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(prueba::EsperarHasta([&] { return ElPanel().RectVentana().left == 0; }));
    POINT origen{0, 0};
    ClientToScreen(panel, &origen);

    // One drag for each point, ending where it moved to, so that the panel
    // gets exactly one move there.
    for (const int x : {WM_LBUTTONUP, WM_RBUTTONUP}) {
        SCOPED_TRACE(testing::Message() << "x = " << x);
        prueba::PresionarIzquierdo(ElPanel().PuntoDe(kLBLista));
        ASSERT_TRUE(prueba::EsperarHasta([&] {
            const HWND captura = CapturaDe(panel);
            return captura != nullptr && (captura == panel || IsChild(panel, captura));
        }))
            << "the press on the label did not take the capture: the drag would prove nothing";
        const POINT punto{origen.x + x, origen.y};
        prueba::Mover(punto);
        // Timer ticks come only when no input waits: the move has been taken.
        DejarPasarTicks();
        EXPECT_TRUE(ElPanel().Visible()) << "a drag over the panel hid it, as if the icon had been clicked";
        prueba::SoltarIzquierdo(punto);
        ASSERT_TRUE(prueba::EsperarHasta([&] { return CapturaDe(panel) == nullptr; }));
    }
    ApartarRaton();
    EXPECT_NE(IconoTesk(), nullptr);
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
