// A window whose thread stops answering is hidden and shown without waiting
// for it; it takes its state when it recovers, and meanwhile the boundary
// reports the visibility it is about to have.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <windows.h>
#include <shellapi.h>

#include "desktop/EscritorioWin32.h"
#include "desktop/Handles.h"
#include "tests/windows/soporte/Esperar.h"
#include "tests/windows/soporte/VentanaLocal.h"
#include "tests/windows/soporte/VentanasPrueba.h"

namespace tesk {
namespace {

using prueba::VentanasPrueba;

constexpr DWORD kSiesta = 3000;
constexpr UINT kEsperaRespuesta = 200;
constexpr std::chrono::milliseconds kMasQueLaSiesta{15000};

bool Colgada(HWND ventana) {
    DWORD_PTR resultado = 0;
    return SendMessageTimeoutW(ventana, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kEsperaRespuesta, &resultado) == 0;
}

void Colgar(HWND ventana) {
    prueba::Dormir(ventana, kSiesta);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return Colgada(ventana); }));
}

TEST(VentanaColgada, SeOcultaYSeMuestraSinEsperarla) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Colgada", L"--max", L"--hilo", L"--ventana", L"Vecina", L"--hilo"});
    const HWND colgada = otras[0];
    const Handle h = HandleDe(colgada);

    Colgar(colgada);
    escritorio.Mostrar(h, kSwHide);
    EXPECT_TRUE(Colgada(colgada)) << "the hide waited for the hung window";
    EXPECT_FALSE(escritorio.EsVisible(h));
    // Other windows are still hidden and shown at once.
    escritorio.Mostrar(HandleDe(otras[1]), kSwHide);
    EXPECT_FALSE(IsWindowVisible(otras[1]));
    escritorio.Mostrar(HandleDe(otras[1]), kSwShowNormal);
    EXPECT_TRUE(IsWindowVisible(otras[1]));

    // Recovered, it is hidden, placement kept.
    ASSERT_TRUE(prueba::EsperarHasta([&] { return !IsWindowVisible(colgada); }, kMasQueLaSiesta));
    EXPECT_FALSE(escritorio.EsVisible(h));
    EXPECT_EQ(escritorio.EstadoMostrar(h), kSwShowMaximized);

    // Hung again while hidden: shown back without waiting, maximised once it recovers.
    Colgar(colgada);
    escritorio.Mostrar(h, kSwShowMaximized);
    EXPECT_TRUE(Colgada(colgada)) << "the show waited for the hung window";
    EXPECT_TRUE(escritorio.EsVisible(h));
    ASSERT_TRUE(prueba::EsperarHasta([&] { return IsWindowVisible(colgada) != FALSE; }, kMasQueLaSiesta));
    EXPECT_TRUE(IsZoomed(colgada));
    EXPECT_TRUE(escritorio.EsVisible(h));
}

TEST(VentanaColgada, UnaOcultacionEnColaSeguidaDeUnaMuestraLaDejaVisible) {
    // Concealed and restored while it never answered: both calls land in
    // order when it recovers, and it ends on screen.
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Colgada", L"--min", L"--hilo"});
    const HWND colgada = otras[0];
    const Handle h = HandleDe(colgada);

    Colgar(colgada);
    const std::int32_t estado = escritorio.EstadoMostrar(h);
    escritorio.Mostrar(h, kSwHide);
    EXPECT_FALSE(escritorio.EsVisible(h));
    escritorio.Mostrar(h, estado);
    EXPECT_TRUE(escritorio.EsVisible(h));
    EXPECT_TRUE(Colgada(colgada));

    ASSERT_TRUE(prueba::EsperarHasta([&] { return !Colgada(colgada); }, kMasQueLaSiesta));
    ASSERT_TRUE(prueba::EsperarHasta([&] { return IsWindowVisible(colgada) != FALSE; }, kMasQueLaSiesta));
    EXPECT_TRUE(IsIconic(colgada));
}

TEST(SuperficiesShell, ElAreaDeNotificacionDeWineCuentaComoDelShell) {
    EscritorioWin32 escritorio;
    // An icon of our own makes sure Wine's notification area is there.
    prueba::VentanaLocal propia(L"Con icono");
    IconoBandeja icono{HandleDe(propia.Hwnd()), 7, NIF_ICON | NIF_TIP, 0,
                       IconoDe(LoadIconW(nullptr, IDI_APPLICATION)), L"Prueba"};
    escritorio.AgregarIcono(icono);
    const HWND bandeja = FindWindowW(L"__winex11_standalone_tray", nullptr);
    escritorio.QuitarIcono(icono);
    if (bandeja == nullptr) GTEST_SKIP() << "this desktop has a taskbar, not Wine's standalone notification area";
    const auto superficies = escritorio.OtrasSuperficiesShell();
    EXPECT_NE(std::find(superficies.begin(), superficies.end(), HandleDe(bandeja)), superficies.end());
}

}  // namespace
}  // namespace tesk
