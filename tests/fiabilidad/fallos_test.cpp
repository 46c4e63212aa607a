// Faults while windows are concealed or being restored: a window closed or
// hung, a second copy of the program, the key pressed over and over, a tray
// click and a close that arrive in the middle of a restore, and the shell
// starting again. Each case ends with every window that is still there back
// in the state it had before the first press.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "panel/Nombres.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Lote.h"
#include "tests/soporte/Protocolo.h"
#include "tests/soporte/Rutas.h"
#include "tray/Bandeja.h"

namespace tesk::fiabilidad {
namespace {

constexpr std::chrono::milliseconds kEsperaFin{10000};
// The key pressed ten times a second for ten seconds.
constexpr int kPulsacionesRafaga = 100;
constexpr std::chrono::milliseconds kEntrePulsaciones{100};
// Enough windows for a restore to take a while, so that messages posted
// once it has begun arrive before it ends.
constexpr std::size_t kVentanasRestauracionLarga = 200;

using Fallos = Lote;

// Returns once the restore has shown one of these windows again.
bool EsperarInicioRestauracion(const std::vector<HWND>& ocultas) {
    return prueba::EsperarHasta(
        [&] { return std::any_of(ocultas.begin(), ocultas.end(), [](HWND v) { return IsWindowVisible(v); }); });
}

TEST_F(Fallos, UnaVentanaCerradaMientrasEstaOcultaNoDetieneLaRestauracion) {
    const HWND foco = ArrancarConFoco(Juntar(Una(L"Se cierra"), Muchas(L"Oculta", 8)));
    // Created first after the focus window, so furthest back: the last
    // window hidden, the one the restore brings to the front.
    const HWND seCierra = Todas()[1];
    const auto antes = e2e::EstadosDe(Todas());
    ASSERT_TRUE(Ocultar(foco, Menos(Todas(), foco)));

    PostMessageW(seCierra, WM_CLOSE, 0, 0);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return !IsWindow(seCierra); })) << "the window did not close";
    ASSERT_TRUE(Restaurar(foco));
    EXPECT_TRUE(EsperarEstados(Menos(antes, seCierra))) << Diferencias(Menos(antes, seCierra));
}

TEST_F(Fallos, UnaVentanaColgadaMientrasEstaOcultaVuelveCuandoDespierta) {
    const HWND foco =
        ArrancarConFoco(Juntar(Una(L"Colgada", {prueba::kOpcionMax, prueba::kOpcionHilo}), Muchas(L"Oculta", 8)));
    const HWND colgada = Todas()[1];
    const auto antes = e2e::EstadosDe(Todas());
    ASSERT_TRUE(Ocultar(foco, Menos(Todas(), foco)));

    Cuelgue cuelgue(colgada);
    ASSERT_TRUE(Restaurar(foco)) << "the restore waited for the hung window";
    EXPECT_TRUE(EsperarEstados(Menos(antes, colgada))) << Diferencias(Menos(antes, colgada));
    cuelgue.Despertar();
    EXPECT_TRUE(prueba::EsperarHasta([&] { return e2e::EstadoDe(colgada) == antes.at(colgada); }))
        << "the hung window did not take its state when it woke";
}

// A window that answers every message but blocks inside its own handler
// when it is hidden or shown: it lies in front, so the walk meets it first,
// and the others are hidden and shown again while it is still blocked.
TEST_F(Fallos, UnaVentanaQueSeBloqueaAlOcultarseOMostrarseNoRetrasaALasDemas) {
    const HWND foco =
        ArrancarConFoco(Juntar(Muchas(L"Oculta", 8), Una(L"Trampa", {prueba::kOpcionTrampa, prueba::kOpcionHilo})));
    const HWND trampa = Todas().back();
    const std::vector<HWND> otras = Menos(Menos(Todas(), foco), trampa);
    const auto antes = e2e::EstadosDe(Todas());
    {
        prueba::Trampa bloqueo(trampa);
        ASSERT_FALSE(Colgada(trampa)) << "the window does not answer before it blocks: the case is another one";
        ASSERT_TRUE(Ocultar(foco, otras)) << "the hide pass waited for the blocked window";
        EXPECT_TRUE(IsWindowVisible(trampa)) << "the window did not block: the case proved nothing";
        EXPECT_TRUE(ElPanel().Ticks()) << "the program does not answer while the window blocks";
    }
    ASSERT_TRUE(prueba::EsperarHasta([&] { return !IsWindowVisible(trampa); })) << "it was not hidden once free";
    {
        prueba::Trampa bloqueo(trampa);
        ASSERT_TRUE(Restaurar(foco)) << "the restore waited for the blocked window";
        EXPECT_TRUE(EsperarEstados(Menos(antes, trampa))) << Diferencias(Menos(antes, trampa));
        EXPECT_FALSE(IsWindowVisible(trampa)) << "the window did not block: the case proved nothing";
    }
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

// Messages any program can send the panel, with parameters the panel would
// read as pointers or sizes: a DPI change with no rectangle, one with a
// pointer into nowhere, DPIs of 0 and 65535, and a second WM_NCCREATE whose
// creation parameter points nowhere. Sent while windows are concealed, when
// a crash would lose them: the program goes on, its panel where it was, and
// the restore brings every window back.
TEST_F(Fallos, MensajesFalsificadosNoTumbanNiMuevenElPanel) {
    const HWND foco = ArrancarConFoco(Muchas(L"Oculta", 6));
    const HWND panel = ElPanel().Hwnd();
    const RECT sitio = ElPanel().RectVentana();
    const auto antes = e2e::EstadosDe(Todas());
    ASSERT_TRUE(Ocultar(foco, Menos(Todas(), foco)));

    const auto enviar = [&](UINT mensaje, WPARAM w, LPARAM l) {
        DWORD_PTR respuesta = 0;
        SendMessageTimeoutW(panel, mensaje, w, l, SMTO_ABORTIFHUNG, 5000, &respuesta);
    };
    enviar(WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
    enviar(WM_DPICHANGED, MAKEWPARAM(0, 0), 0x10);
    enviar(WM_DPICHANGED, MAKEWPARAM(0xFFFF, 0xFFFF), 0x10);
    CREATESTRUCTW creacion{};
    creacion.lpCreateParams = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x10));
    creacion.lpszClass = L"Otra";
    enviar(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&creacion));
    // Whatever the panel gets next runs through its binding.
    enviar(WM_NULL, 0, 0);

    ASSERT_TRUE(Tesk().Vivo()) << "a forged message ended the program";
    EXPECT_TRUE(ElPanel().Ticks()) << "the panel no longer answers";
    const RECT ahora = ElPanel().RectVentana();
    EXPECT_TRUE(EqualRect(&ahora, &sitio)) << "the panel moved or changed size";
    ASSERT_TRUE(Restaurar(foco));
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

TEST_F(Fallos, UnaVentanaColgadaEnLaListaNoDetieneLaOcultacion) {
    const HWND foco = ArrancarConFoco(Juntar(Una(L"Colgada", {prueba::kOpcionHilo}), Muchas(L"Oculta", 8)));
    const HWND colgada = Todas()[1];
    const std::vector<HWND> otras = Menos(Menos(Todas(), foco), colgada);
    const auto antes = e2e::EstadosDe(Todas());

    Cuelgue cuelgue(colgada);
    ASSERT_TRUE(Ocultar(foco, otras)) << "the hide pass stopped at the hung window";
    cuelgue.Despertar();
    EXPECT_TRUE(prueba::EsperarHasta([&] { return !IsWindowVisible(colgada); }))
        << "the hung window was not hidden when it woke";

    ASSERT_TRUE(Restaurar(foco));
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

// Anybody may ask the panel for the windows back ("Tesk.Restaurar"), with
// anything in the message: while nothing is concealed nothing changes, then
// or later; while windows are concealed, a second copy brings back every
// one in its state.
TEST_F(Fallos, LasPeticionesDeRestaurarSoloDevuelvenLoOculto) {
    const HWND foco = ArrancarConFoco(Muchas(L"Oculta", 6));
    const auto antes = e2e::EstadosDe(Todas());
    const UINT restaurar = RegisterWindowMessageW(kMensajeRestaurar);
    ASSERT_NE(restaurar, 0u);
    const HWND panel = ElPanel().Hwnd();
    for (const LPARAM valor : {LPARAM{0}, LPARAM{-1}, LPARAM{0x10}}) {
        PostMessageW(panel, restaurar, static_cast<WPARAM>(valor), valor);
        DWORD_PTR respuesta = 0;
        SendMessageTimeoutW(panel, restaurar, static_cast<WPARAM>(valor), valor, SMTO_ABORTIFHUNG, 5000, &respuesta);
    }
    DejarPasarTicks();
    EXPECT_EQ(e2e::EstadosDe(Todas()), antes) << "a request with nothing concealed changed a window";
    EXPECT_TRUE(ElPanel().Visible()) << "a request with nothing concealed hid the panel";
    EXPECT_EQ(e2e::IconosTesk().size(), 1u);

    // No request left over: the next press conceals, and it stays so.
    ASSERT_TRUE(Ocultar(foco, Menos(Todas(), foco)));
    DejarPasarTicks();
    EXPECT_TRUE(e2e::IconosTesk().empty()) << "an earlier request restored";
    {
        e2e::ProcesoTesk segunda(e2e::RutaDe(e2e::kVariableTesk));
        EXPECT_TRUE(segunda.EsperarFin(kEsperaFin)) << "the second copy kept running";
        EXPECT_EQ(segunda.CodigoSalida(), 0u);
    }
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
    EXPECT_TRUE(prueba::EsperarHasta([] { return e2e::IconosTesk().size() == 1; })) << "the icon did not come back";
    EXPECT_FALSE(ElPanel().Visible());
    ASSERT_TRUE(Tesk().Vivo());
}

TEST_F(Fallos, LaTeclaDiezVecesPorSegundoDuranteDiezSegundosAcabaCoherente) {
    const HWND foco = ArrancarConFoco(Muchas(L"Oculta", 20));
    const std::vector<HWND> seOcultan = Menos(Todas(), foco);
    const auto antes = e2e::EstadosDe(Todas());
    Enfocar(foco);

    for (int pulsacion = 0; pulsacion < kPulsacionesRafaga; ++pulsacion) {
        prueba::PulsarYSoltar(VK_F6);
        prueba::EsperarHasta([] { return false; }, kEntrePulsaciones);
    }
    DejarPasarTicks();

    // Whatever the number of presses that took effect, the program settles
    // in one of its two states: everything back with the icon, or everything
    // concealed without it.
    const auto ningunaVisible = [&] {
        return std::none_of(seOcultan.begin(), seOcultan.end(), [](HWND v) { return IsWindowVisible(v); });
    };
    bool oculto = false;
    ASSERT_TRUE(prueba::EsperarHasta([&] {
        const std::size_t iconos = e2e::IconosTesk().size();
        oculto = iconos == 0 && ningunaVisible();
        return oculto || (iconos == 1 && e2e::EstadosDe(Todas()) == antes);
    })) << "the program settled in neither state";
    if (oculto) {
        ASSERT_TRUE(Restaurar(foco));
    }
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
    EXPECT_EQ(e2e::IconosTesk().size(), 1u);
    // And the key still works.
    ASSERT_TRUE(Ocultar(foco, seOcultan));
    ASSERT_TRUE(Restaurar(foco));
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

TEST_F(Fallos, UnClicEnElIconoDuranteUnaRestauracionMuestraElPanelSinEstorbarla) {
    const HWND foco = ArrancarConFoco(Muchas(L"Oculta", kVentanasRestauracionLarga));
    const std::vector<HWND> seOcultan = Menos(Todas(), foco);
    const auto antes = e2e::EstadosDe(Todas());
    ASSERT_TRUE(Ocultar(foco, seOcultan));
    ASSERT_FALSE(ElPanel().Visible());

    Pulsar(VK_F6, foco);
    ASSERT_TRUE(EsperarInicioRestauracion(seOcultan));
    // The icon's left click, as the notification area reports it.
    PostMessageW(ElPanel().Hwnd(), kMensajeIcono, kIdIcono, MAKELPARAM(WM_LBUTTONUP, 0));
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
    EXPECT_TRUE(EsperarIcono(true));
    EXPECT_TRUE(EsperarPanel(true)) << "the click was lost";
    DejarPasarTicks();
    EXPECT_TRUE(ElPanel().Visible());
    EXPECT_EQ(e2e::IconosTesk().size(), 1u);
}

TEST_F(Fallos, UnCierreDuranteUnaRestauracionLaTerminaAntesDeSalir) {
    const HWND foco = ArrancarConFoco(Muchas(L"Oculta", kVentanasRestauracionLarga));
    const std::vector<HWND> seOcultan = Menos(Todas(), foco);
    const auto antes = e2e::EstadosDe(Todas());
    ASSERT_TRUE(Ocultar(foco, seOcultan));

    Pulsar(VK_F6, foco);
    ASSERT_TRUE(EsperarInicioRestauracion(seOcultan));
    PostMessageW(ElPanel().Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Tesk().EsperarFin(kEsperaFin)) << "the program did not end";
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
    DejarPasarTicks();
    EXPECT_TRUE(e2e::IconosTesk().empty()) << "an icon was left behind";
}

TEST_F(Fallos, ElShellQueEmpiezaDeNuevoConElPanelOcultoDevuelveUnSoloIcono) {
    const HWND foco = ArrancarConFoco(Muchas(L"Oculta", 4));
    const auto antes = e2e::EstadosDe(Todas());
    ClicEnIconoTesk();
    ASSERT_TRUE(EsperarPanel(false));

    {
        SCOPED_TRACE("while windows are concealed: no icon until the restore");
        ASSERT_TRUE(Ocultar(foco, Menos(Todas(), foco)));
        e2e::AnunciarShellNuevo();
        DejarPasarTicks();
        EXPECT_TRUE(e2e::IconosTesk().empty());
        ASSERT_TRUE(Restaurar(foco));
        EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
        DejarPasarTicks();
        EXPECT_EQ(e2e::IconosTesk().size(), 1u);
    }
    {
        SCOPED_TRACE("with the panel hidden: the icon is the only way back");
        e2e::PerderIcono(ElPanel().Hwnd(), kIdIcono);
        ASSERT_TRUE(EsperarIcono(false));
        e2e::AnunciarShellNuevo();
        ASSERT_TRUE(EsperarIcono(true)) << "the icon did not come back";
        DejarPasarTicks();
        EXPECT_EQ(e2e::IconosTesk().size(), 1u);
        EXPECT_FALSE(ElPanel().Visible());
        ClicEnIconoTesk();
        EXPECT_TRUE(EsperarPanel(true));
    }
}

}  // namespace
}  // namespace tesk::fiabilidad
