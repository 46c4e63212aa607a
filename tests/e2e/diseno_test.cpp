// The panel and the About box laid out at the screen's DPI: the program's
// layout table holds the layout the program must have, every size and
// position kept in twips comes out in pixels at that DPI, and the controls
// take clicks where they are drawn. Run once per DPI, each in a prefix set
// to it; the DPI a run is for comes in TESK_DPI_ESPERADO.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>

#include "panel/Diseno.h"
#include "tests/soporte/Acercade.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"

namespace tesk::e2e {
namespace {

constexpr wchar_t kVariableDpi[] = L"TESK_DPI_ESPERADO";
// Positions are converted each on its own and may round apart by a pixel.
constexpr int kTolerancia = 1;

// The layout the program must have, in twips. The program places and finds
// its controls from its own table, and the other tests find them there too:
// these numbers are what keeps a control moved in the table by mistake from
// passing unnoticed.
struct ControlEsperado {
    diseno::Control control;
    RectTwips rect;
};
// Back to front, as the table keeps them: where two overlap, the later one
// takes the mouse.
constexpr std::array<ControlEsperado, 7> kControlesEsperados{{
    {diseno::Control::ImAcerca, {100, 60, 1395, 420}},
    {diseno::Control::ImMinimizar, {2040, 0, 240, 240}},
    {diseno::Control::ImCerrar, {2280, 30, 240, 240}},
    {diseno::Control::LBTecla1, {120, 600, 1815, 255}},
    {diseno::Control::LBTecla0, {1900, 600, 495, 255}},
    {diseno::Control::LBLista, {120, 840, 2055, 255}},
    {diseno::Control::ImCambiar, {2160, 840, 240, 240}},
}};
constexpr int kAnchoPanelEsperado = 2520;
constexpr int kAltoPanelEsperado = 3420;
constexpr int kMargenDerechoEsperado = 100;
constexpr int kMargenInferiorEsperado = 500;
constexpr RectTwips kPBEsperado{80, 1100, 2390, 2250};
constexpr RectTwips kListaEsperada{-10, -10, 2415, 2280};

std::array<int, 4> Campos(const RectTwips& rect) { return {rect.izquierda, rect.arriba, rect.ancho, rect.alto}; }

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

    {
        SCOPED_TRACE("the program's layout table");
        EXPECT_EQ(diseno::kAnchoPanel, kAnchoPanelEsperado);
        EXPECT_EQ(diseno::kAltoPanel, kAltoPanelEsperado);
        EXPECT_EQ(diseno::kMargenDerecho, kMargenDerechoEsperado);
        EXPECT_EQ(diseno::kMargenInferior, kMargenInferiorEsperado);
        EXPECT_EQ(Campos(diseno::kPB), Campos(kPBEsperado)) << "PB";
        EXPECT_EQ(Campos(diseno::kLista), Campos(kListaEsperada)) << "the list box";
        ASSERT_EQ(diseno::kControles.size(), kControlesEsperados.size());
        for (std::size_t i = 0; i < kControlesEsperados.size(); ++i) {
            EXPECT_EQ(diseno::kControles[i].control, kControlesEsperados[i].control) << "entry " << i;
            EXPECT_EQ(Campos(diseno::kControles[i].rect), Campos(kControlesEsperados[i].rect)) << "entry " << i;
        }
    }
    {
        SCOPED_TRACE("the panel, near the screen's bottom-right corner");
        const SIZE cliente = panel.TamanoCliente();
        EXPECT_NEAR(cliente.cx, Pixeles(kAnchoPanel, dpi), kTolerancia);
        EXPECT_NEAR(cliente.cy, Pixeles(kAltoPanel, dpi), kTolerancia);
        const RECT rect = panel.RectVentana();
        EXPECT_NEAR(rect.right, GetSystemMetrics(SM_CXSCREEN) - Pixeles(kMargenDerecho, dpi), kTolerancia);
        EXPECT_NEAR(rect.bottom, GetSystemMetrics(SM_CYSCREEN) - Pixeles(kMargenInferior, dpi), kTolerancia);
    }
    EsperarRect(RectEn(panel.Marco(), panel.Hwnd()), kPB, dpi, "PB in the panel");
    EsperarRect(RectEn(panel.CajaLista(), panel.Marco()), kLista, dpi, "the list box in PB");
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
