// A window whose thread stops answering is hidden and shown without waiting
// for it; it takes its state when it recovers, and meanwhile the boundary
// reports the visibility it is about to have.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include <windows.h>
#include <shellapi.h>

#include "desktop/Conversiones.h"
#include "desktop/EscritorioWin32.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanaLocal.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk {
namespace {

using prueba::Colgada;
using prueba::Cuelgue;
using prueba::VentanasPrueba;

TEST(VentanaColgada, SeOcultaYSeMuestraSinEsperarla) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Colgada", L"--max", L"--hilo", L"--ventana", L"Vecina", L"--hilo"});
    const HWND colgada = otras[0];
    const Handle h = HandleDe(colgada);

    auto cuelgue = std::make_unique<Cuelgue>(colgada);
    escritorio.Mostrar(h, kSwHide);
    EXPECT_TRUE(Colgada(colgada)) << "the hide waited for the hung window";
    EXPECT_FALSE(escritorio.EsVisible(h));
    EXPECT_TRUE(escritorio.EnVuelo(h));
    // Other windows are still hidden and shown, while that one waits.
    const Handle vecina = HandleDe(otras[1]);
    escritorio.Mostrar(vecina, kSwHide);
    ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, vecina));
    EXPECT_FALSE(IsWindowVisible(otras[1]));
    escritorio.Mostrar(vecina, kSwShowNormal);
    ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, vecina));
    EXPECT_TRUE(IsWindowVisible(otras[1]));
    EXPECT_TRUE(escritorio.EnVuelo(h)) << "the hung window's hide landed while it was hung";

    // Recovered, it is hidden, placement kept.
    cuelgue->Despertar();
    ASSERT_TRUE(prueba::EsperarHasta([&] { return !IsWindowVisible(colgada); }));
    EXPECT_FALSE(escritorio.EsVisible(h));
    EXPECT_EQ(escritorio.EstadoMostrar(h), kSwShowMaximized);

    // Hung again while hidden: shown back without waiting, maximised once it recovers.
    cuelgue.reset();
    cuelgue = std::make_unique<Cuelgue>(colgada);
    escritorio.Mostrar(h, kSwShowMaximized);
    EXPECT_TRUE(Colgada(colgada)) << "the show waited for the hung window";
    EXPECT_TRUE(escritorio.EsVisible(h));
    cuelgue->Despertar();
    ASSERT_TRUE(prueba::EsperarHasta([&] { return IsWindowVisible(colgada) != FALSE; }));
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

    Cuelgue cuelgue(colgada);
    const std::int32_t estado = escritorio.EstadoMostrar(h);
    escritorio.Mostrar(h, kSwHide);
    EXPECT_FALSE(escritorio.EsVisible(h));
    escritorio.Mostrar(h, estado);
    EXPECT_TRUE(escritorio.EsVisible(h));
    EXPECT_TRUE(Colgada(colgada));

    cuelgue.Despertar();
    ASSERT_TRUE(prueba::EsperarHasta([&] { return !Colgada(colgada); }));
    ASSERT_TRUE(prueba::EsperarHasta([&] { return IsWindowVisible(colgada) != FALSE; }));
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
