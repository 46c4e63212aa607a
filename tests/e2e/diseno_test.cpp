// The panel and the About box laid out at the screen's DPI: the running
// panel has the layout the program must have, every size and
// position kept in twips comes out in pixels at that DPI, and the controls
// take clicks where they are drawn. Run once per DPI, each in a prefix set
// to it; the DPI a run is for comes in TESK_DPI_ESPERADO.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>

#include "tests/soporte/Acercade.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"

namespace tesk::e2e {
namespace {

constexpr wchar_t kVariableDpi[] = L"TESK_DPI_ESPERADO";
// Positions are converted each on its own and may round apart by a pixel.
constexpr int kTolerancia = 1;

// The layout the program must have, in twips, read off the running panel:
// each command is a child button found by its name (what a screen reader
// hears). The program places its controls from a table of its own, and the
// other tests find them there: these numbers keep a control moved in that
// table by mistake from passing unnoticed.
struct ControlEsperado {
    const wchar_t* nombre;
    RectTwips rect;
};
constexpr std::array<ControlEsperado, 7> kControlesEsperados{{
    {L"Acerca de Tesk", {100, 60, 1395, 420}},
    {L"Ocultar", {2040, 0, 240, 240}},
    {L"Cerrar", {2280, 30, 240, 240}},
    {L"Activar / Desactivar con:", {120, 600, 1815, 255}},
    {L"F6", {1900, 600, 495, 255}},
    {L"Ocultar todo excepto", {120, 840, 2055, 255}},
    {L"Cambiar el modo", {2160, 840, 240, 240}},
}};
constexpr int kAnchoPanelEsperado = 2520;
constexpr int kAltoPanelEsperado = 3420;
constexpr int kMargenDerechoEsperado = 100;
constexpr int kMargenInferiorEsperado = 500;
constexpr RectTwips kPBEsperado{80, 1100, 2390, 2250};
constexpr RectTwips kListaEsperada{-10, -10, 2415, 2280};

UINT DpiEsperado() {
    wchar_t valor[16] = {};
    if (GetEnvironmentVariableW(kVariableDpi, valor, 16) == 0) return 0;
    return static_cast<UINT>(std::wcstoul(valor, nullptr, 10));
}

// The window's rectangle in its parent's (or the panel's) client area.
RECT RectEn(HWND ventana, HWND referencia) {
    RECT rect{};
    GetWindowRect(ventana, &rect);
    MapWindowPoints(nullptr, referencia, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void EsperarRect(const RECT& rect, const RectTwips& twips, UINT dpi, const char* nombre) {
    SCOPED_TRACE(nombre);
    EXPECT_NEAR(rect.left, Pixeles(twips.izquierda, dpi), kTolerancia);
    EXPECT_NEAR(rect.top, Pixeles(twips.arriba, dpi), kTolerancia);
    EXPECT_NEAR(rect.right - rect.left, Pixeles(twips.ancho, dpi), kTolerancia);
    EXPECT_NEAR(rect.bottom - rect.top, Pixeles(twips.alto, dpi), kTolerancia);
}

using Diseno = Escena;

TEST_F(Diseno, ElPanelYLaCajaAcercadeMidenSusTwipsALosDpiDeLaPantalla) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Se oculta"});
    const Panel& panel = ElPanel();
    const UINT dpi = panel.Dpi();
    ASSERT_NE(DpiEsperado(), 0u) << "the run does not say which DPI it is for";
    ASSERT_EQ(dpi, DpiEsperado()) << "the screen is not at the DPI this run is for";

    for (const ControlEsperado& esperado : kControlesEsperados) {
        const HWND control = FindWindowExW(panel.Hwnd(), nullptr, L"Button", esperado.nombre);
        const std::string nombre = testing::PrintToString(std::wstring(esperado.nombre));
        EXPECT_NE(control, nullptr) << "no command named " << nombre;
        if (control != nullptr) EsperarRect(RectEn(control, panel.Hwnd()), esperado.rect, dpi, nombre.c_str());
    }
    {
        SCOPED_TRACE("the panel, near the screen's bottom-right corner");
        const SIZE cliente = panel.TamanoCliente();
        EXPECT_NEAR(cliente.cx, Pixeles(kAnchoPanelEsperado, dpi), kTolerancia);
        EXPECT_NEAR(cliente.cy, Pixeles(kAltoPanelEsperado, dpi), kTolerancia);
        const RECT rect = panel.RectVentana();
        EXPECT_NEAR(rect.right, GetSystemMetrics(SM_CXSCREEN) - Pixeles(kMargenDerechoEsperado, dpi), kTolerancia);
        EXPECT_NEAR(rect.bottom, GetSystemMetrics(SM_CYSCREEN) - Pixeles(kMargenInferiorEsperado, dpi), kTolerancia);
    }
    EsperarRect(RectEn(panel.Marco(), panel.Hwnd()), kPBEsperado, dpi, "PB in the panel");
    EsperarRect(RectEn(panel.CajaLista(), panel.Marco()), kListaEsperada, dpi, "the list box in PB");
    {
        SCOPED_TRACE("PB cuts off the list box's border");
        RECT marco{};
        RECT caja{};
        GetWindowRect(panel.Marco(), &marco);
        GetWindowRect(panel.CajaLista(), &caja);
        EXPECT_LT(caja.left, marco.left);
        EXPECT_LT(caja.top, marco.top);
        EXPECT_GT(caja.right, marco.right);
        EXPECT_GT(caja.bottom, marco.bottom);
    }

    {
        SCOPED_TRACE("LBTecla(0) and the list's rows where they are drawn");
        MarcarConClic(L"Se queda");
        panel.DobleClicEn(kLBTecla0);
        Sincronizar();
        Pulsar(VK_F7, Ventanas()[0]);
        EXPECT_TRUE(EsperarVisibles({Ventanas()[1]}, false)) << "F7 does not conceal";
        Pulsar(VK_F7, Ventanas()[0]);
        EXPECT_TRUE(EsperarVisibles({Ventanas()[1]}, true));
        ASSERT_TRUE(EsperarIcono(true));
        ClicEnIconoTesk();
        ASSERT_TRUE(EsperarPanel(true));
    }
    {
        SCOPED_TRACE("ImMinimizar where it is drawn");
        panel.ClicEn(kImMinimizar);
        EXPECT_TRUE(EsperarPanel(false));
        ClicEnIconoTesk();
        ASSERT_TRUE(EsperarPanel(true));
    }
    {
        SCOPED_TRACE("ImAcerca where it is drawn, and the About box");
        const HWND caja = AbrirAcercade(panel, Tesk());
        ASSERT_NE(caja, nullptr);
        RECT cliente{};
        GetClientRect(caja, &cliente);
        EXPECT_NEAR(cliente.right, Pixeles(kAnchoAcercade, dpi), kTolerancia);
        EXPECT_NEAR(cliente.bottom, Pixeles(kAltoAcercade, dpi), kTolerancia);
        RECT rect{};
        GetWindowRect(caja, &rect);
        EXPECT_NEAR(rect.left + rect.right, GetSystemMetrics(SM_CXSCREEN), 2 * kTolerancia);
        EXPECT_NEAR(rect.top + rect.bottom, GetSystemMetrics(SM_CYSCREEN), 2 * kTolerancia);
        EXPECT_TRUE(CerrarAcercade(caja));
    }
}

// The user cannot move the panel; whatever else does (a window manager
// placing it, another program) is undone: it goes back to its corner and
// stays there.
TEST_F(Diseno, ElPanelMovidoDesdeFueraVuelveASuEsquina) {
    Arrancar({L"--ventana", L"Una"});
    const Panel& panel = ElPanel();
    const RECT esquina = panel.RectVentana();
    const auto enSuEsquina = [&] {
        const RECT rect = panel.RectVentana();
        return rect.left == esquina.left && rect.top == esquina.top;
    };
    ASSERT_TRUE(enSuEsquina());
    for (const POINT otro : {POINT{10, 10}, POINT{esquina.left - 200, esquina.top - 100}}) {
        ASSERT_TRUE(SetWindowPos(panel.Hwnd(), nullptr, otro.x, otro.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        EXPECT_TRUE(prueba::EsperarHasta(enSuEsquina))
            << "the panel stayed at " << panel.RectVentana().left << "," << panel.RectVentana().top;
        DejarPasarTicks();
        EXPECT_TRUE(enSuEsquina()) << "the panel left its corner again";
    }
    EXPECT_TRUE(panel.Visible());
}

}  // namespace
}  // namespace tesk::e2e
