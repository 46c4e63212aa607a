// The panel from the keyboard: each command a focusable control named by its
// window text (what the system's accessibility reads), Tab and Shift+Tab
// through them in the tab order and round again, Enter and Space running
// them, Esc hiding the panel, the About box closed by its keys, and the
// focus on the list when the icon brings the panel up.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/IconoTesk.h"

namespace tesk::e2e {
namespace {

using Teclado = Escena;

// The commands as the program's identifiers number them, with the names a
// screen reader must hear and where each lies on the panel.
struct Comando {
    const wchar_t* nombre;
    RectTwips rect;
};
const std::array<Comando, 7> kComandos{{
    {L"Acerca de Tesk", kImAcerca},
    {L"Ocultar", kImMinimizar},
    {L"Cerrar", kImCerrar},
    {L"Activar / Desactivar con:", kLBTecla1},
    {L"F6", kLBTecla0},
    {L"Ocultar todo excepto", kLBLista},
    {L"Cambiar el modo", kImCambiar},
}};
enum Indice { kAcerca, kMinimizar, kCerrar, kTecla1, kTecla0, kLista, kCambiar };

HWND Comando(HWND panel, int indice) { return GetDlgItem(panel, kIdPrimerComando + indice); }

std::wstring Texto(HWND ventana) {
    wchar_t texto[256] = {};
    GetWindowTextW(ventana, texto, 256);
    return texto;
}

// The window with the keyboard focus in the panel's thread.
HWND Foco(HWND panel) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(panel, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

std::string Describir(HWND ventana) {
    std::string texto;
    for (const wchar_t c : Texto(ventana)) texto += c < 128 ? static_cast<char>(c) : '?';
    return texto.empty() ? "(no text)" : texto;
}

bool EsperarFoco(HWND panel, HWND esperado) {
    return prueba::EsperarHasta([&] { return Foco(panel) == esperado; });
}

// The pixels of a window's part of the screen, as they look now.
std::vector<COLORREF> Imagen(HWND ventana) {
    RECT rect{};
    GetWindowRect(ventana, &rect);
    const HDC pantalla = GetDC(nullptr);
    std::vector<COLORREF> pixeles;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) pixeles.push_back(GetPixel(pantalla, x, y));
    }
    ReleaseDC(nullptr, pantalla);
    return pixeles;
}

void PulsarConMayusculas(WORD tecla) {
    prueba::TeclaSostenida mayusculas(VK_SHIFT);
    prueba::PulsarYSoltar(tecla);
}

TEST_F(Teclado, CadaComandoEsUnControlEnfocableConSuNombre) {
    Arrancar({L"--ventana", L"Una"});
    const HWND panel = ElPanel().Hwnd();
    const UINT dpi = ElPanel().Dpi();
    for (int i = 0; i < static_cast<int>(kComandos.size()); ++i) {
        const HWND comando = Comando(panel, i);
        SCOPED_TRACE(testing::Message() << "command " << i);
        ASSERT_NE(comando, nullptr) << "no child window with that identifier";
        wchar_t clase[64] = {};
        RealGetWindowClassW(comando, clase, 64);
        EXPECT_STREQ(clase, L"Button") << "the system presents only its own classes as buttons";
        const LONG estilo = GetWindowLongW(comando, GWL_STYLE);
        EXPECT_EQ(estilo & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_TRUE(estilo & WS_TABSTOP);
        EXPECT_TRUE(IsWindowVisible(comando) && IsWindowEnabled(comando));
        EXPECT_EQ(Texto(comando), kComandos[i].nombre);
        // Exactly over its part of the panel.
        RECT rect{};
        GetWindowRect(comando, &rect);
        MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_NEAR(rect.left, Pixeles(kComandos[i].rect.izquierda, dpi), 1);
        EXPECT_NEAR(rect.top, Pixeles(kComandos[i].rect.arriba, dpi), 1);
        EXPECT_NEAR(rect.right - rect.left, Pixeles(kComandos[i].rect.ancho, dpi), 1);
        EXPECT_NEAR(rect.bottom - rect.top, Pixeles(kComandos[i].rect.alto, dpi), 1);
    }
    // Where two overlap, the mouse finds the one drawn in front.
    EXPECT_EQ(ChildWindowFromPointEx(panel, POINT{Pixeles(1920, dpi), Pixeles(700, dpi)}, CWP_SKIPINVISIBLE),
              Comando(panel, kTecla0));
    EXPECT_EQ(ChildWindowFromPointEx(panel, POINT{Pixeles(2168, dpi), Pixeles(960, dpi)}, CWP_SKIPINVISIBLE),
              Comando(panel, kCambiar));
}

TEST_F(Teclado, TabRecorreElPanelEnSuOrdenYVuelveAlPrincipio) {
    Arrancar({L"--ventana", L"Una"});
    const HWND panel = ElPanel().Hwnd();
    Enfocar(panel);
    ASSERT_TRUE(EsperarFoco(panel, ElPanel().CajaLista())) << "the panel gives its focus to the list";

    const std::vector<std::pair<HWND, std::string>> orden{
        {Comando(panel, kAcerca), "ImAcerca"},  {Comando(panel, kMinimizar), "ImMinimizar"},
        {Comando(panel, kCambiar), "ImCambiar"}, {Comando(panel, kCerrar), "ImCerrar"},
        {Comando(panel, kTecla1), "LBTecla(1)"}, {Comando(panel, kTecla0), "LBTecla(0)"},
        {Comando(panel, kLista), "LBLista"},     {ElPanel().CajaLista(), "the list"}};

    // The focus is shown while a command has it by keyboard, and goes with
    // it. The program paints before it handles a tick: the ticks let say
    // when the picture on screen is the one for that focus.
    DejarPasarTicks();
    const std::vector<COLORREF> sinFoco = Imagen(Comando(panel, kAcerca));
    for (const auto& [ventana, nombre] : orden) {
        prueba::PulsarYSoltar(VK_TAB);
        ASSERT_TRUE(EsperarFoco(panel, ventana)) << "Tab did not reach " << nombre << "; the focus is on "
                                                 << Describir(Foco(panel));
        if (ventana == Comando(panel, kAcerca)) {
            DejarPasarTicks();
            EXPECT_NE(Imagen(ventana), sinFoco) << "no focus cue on the banner";
        }
    }
    DejarPasarTicks();
    EXPECT_EQ(Imagen(Comando(panel, kAcerca)), sinFoco) << "the banner still shows the focus it lost";
    // And back, from the list round to the last image.
    PulsarConMayusculas(VK_TAB);
    EXPECT_TRUE(EsperarFoco(panel, Comando(panel, kLista))) << Describir(Foco(panel));
    Enfocar(panel);
    prueba::PulsarYSoltar(VK_TAB);
    ASSERT_TRUE(EsperarFoco(panel, ElPanel().CajaLista()));
    prueba::PulsarYSoltar(VK_TAB);
    ASSERT_TRUE(EsperarFoco(panel, Comando(panel, kAcerca)));
    PulsarConMayusculas(VK_TAB);
    EXPECT_TRUE(EsperarFoco(panel, ElPanel().CajaLista())) << Describir(Foco(panel));
}

TEST_F(Teclado, EnterYEspacioHacenLoQueHaceElRaton) {
    Arrancar({L"--ventana", L"Una", L"--ventana", L"Otra"});
    const HWND panel = ElPanel().Hwnd();
    const auto pulsarEn = [&](int indice, WORD tecla) {
        Enfocar(panel);
        SendMessageW(panel, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Comando(panel, indice)), TRUE);
        ASSERT_TRUE(EsperarFoco(panel, Comando(panel, indice)));
        prueba::PulsarYSoltar(tecla);
    };

    {
        SCOPED_TRACE("ImCambiar switches the mode, and back");
        pulsarEn(kCambiar, VK_RETURN);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return Texto(Comando(panel, kLista)) == L"Ocultar lo seleccionado"; }));
        pulsarEn(kCambiar, VK_SPACE);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return Texto(Comando(panel, kLista)) == L"Ocultar todo excepto"; }));
    }
    {
        SCOPED_TRACE("either key label advances the key, as its double-click does");
        pulsarEn(kTecla1, VK_RETURN);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return ElPanel().Tecla() == VK_F7; }));
        pulsarEn(kTecla0, VK_SPACE);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return ElPanel().Tecla() == VK_F8; }));
        EXPECT_EQ(Texto(Comando(panel, kTecla0)), L"F8");
        // A button's default action, as the system's accessibility runs it.
        SendMessageW(Comando(panel, kTecla1), BM_CLICK, 0, 0);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return ElPanel().Tecla() == VK_F9; }));
    }
    {
        SCOPED_TRACE("LBLista refreshes the list, which clears its marks");
        ElPanel().Marcar(0, true);
        ASSERT_TRUE(ElPanel().Marcada(0));
        pulsarEn(kLista, VK_RETURN);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return !ElPanel().Marcada(0); }));
    }
    {
        SCOPED_TRACE("the banner opens the About box, and its keys close it");
        for (const WORD cierre : {VK_RETURN, VK_SPACE, VK_ESCAPE}) {
            SCOPED_TRACE(testing::Message() << "closed with key " << cierre);
            pulsarEn(kAcerca, VK_RETURN);
            HWND caja = nullptr;
            ASSERT_TRUE(prueba::EsperarHasta([&] {
                caja = Tesk().VentanaDeClase(L"TeskAcercade");
                return caja != nullptr && IsWindowVisible(caja) && GetForegroundWindow() == caja;
            })) << "no About box in front";
            prueba::PulsarYSoltar(cierre);
            EXPECT_TRUE(prueba::EsperarHasta([&] { return !IsWindow(caja) || !IsWindowVisible(caja); }));
            EXPECT_TRUE(EsperarFoco(panel, Comando(panel, kAcerca))) << "the focus did not come back to the banner";
        }
    }
    {
        SCOPED_TRACE("ImMinimizar hides the panel; the icon brings it back, focused on its list");
        pulsarEn(kMinimizar, VK_SPACE);
        ASSERT_TRUE(EsperarPanel(false));
        ClicEnIconoTesk();
        ASSERT_TRUE(EsperarPanel(true));
        EXPECT_TRUE(prueba::EsperarHasta([&] { return GetForegroundWindow() == panel; }));
        EXPECT_TRUE(EsperarFoco(panel, ElPanel().CajaLista())) << Describir(Foco(panel));
    }
    {
        SCOPED_TRACE("Esc hides the panel from the list, and from a command");
        prueba::PulsarYSoltar(VK_ESCAPE);
        ASSERT_TRUE(EsperarPanel(false));
        ClicEnIconoTesk();
        ASSERT_TRUE(EsperarPanel(true));
        pulsarEn(kTecla0, VK_ESCAPE);
        ASSERT_TRUE(EsperarPanel(false));
        ClicEnIconoTesk();
        ASSERT_TRUE(EsperarPanel(true));
    }
    {
        SCOPED_TRACE("ImCerrar ends the program and takes its icon away");
        pulsarEn(kCerrar, VK_RETURN);
        EXPECT_TRUE(Tesk().EsperarFin(prueba::kEsperaMaxima));
        EXPECT_TRUE(EsperarIcono(false));
    }
}

}  // namespace
}  // namespace tesk::e2e
