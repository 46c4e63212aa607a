// Calls that land later: a pass asks every window without waiting, waits
// for its calls while it handles events, and gives up on a window whose
// thread is blocked without losing it. Also what the restore gives back:
// only what the hide pass hid, arranged windows still arranged, stacked as
// a one-at-a-time restore leaves them; and a pass that fails midway.
#include <algorithm>
#include <new>

#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

class Vuelo : public Banco {
protected:
    Vuelo() {
        for (int i = 0; i < 4; ++i) ventanas.push_back(escritorio.Abrir(L"V" + std::to_wstring(i)));
        marcada = escritorio.Abrir(L"Marcada");
        motor.ActualizarLista();
        MarcarTitulo(L"Marcada");
        escritorio.OlvidarLlamadas();
    }
    std::vector<Handle> ventanas;  // in front of the panel, front to back: V3 V2 V1 V0
    Handle marcada = 0;
};

TEST_F(Vuelo, UnaVentanaBloqueadaNoDetieneLaPasadaYVuelveCuandoDespierta) {
    escritorio.diferir = true;
    const Handle bloqueada = ventanas[1];
    escritorio.Bloquear(bloqueada);

    motor.OcultarVentanas();
    // Every hide was asked before any landed; the pass waited for the others
    // and gave up on the blocked one after its time.
    EXPECT_EQ(escritorio.Llamadas().size(), ventanas.size());
    EXPECT_FALSE(motor.EnPasada());
    EXPECT_GE(anfitrion.reloj, 2000) << "the pass did not wait for its calls";
    EXPECT_LE(anfitrion.reloj, 2100) << "the pass waited on the blocked window beyond its time";
    for (Handle h : ventanas) {
        if (h != bloqueada) {
            EXPECT_FALSE(escritorio.Visible(h));
        }
    }
    EXPECT_TRUE(escritorio.Visible(bloqueada)) << "the blocked window's hide has not landed";
    EXPECT_FALSE(Visible(bloqueada)) << "the boundary reports the hide on its way";
    EXPECT_TRUE(motor.Oculto());

    // Restored while still blocked: its show is queued behind its hide, and
    // the pass again waits no longer than its time.
    anfitrion.reloj = 0;
    motor.MostrarVentanas();
    EXPECT_LE(anfitrion.reloj, 2100);
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(anfitrion.IconoPresente());
    escritorio.Desbloquear(bloqueada);
    escritorio.EntregarTodo();
    for (Handle h : ventanas) EXPECT_TRUE(escritorio.Visible(h)) << h;
}

TEST_F(Vuelo, LaRestauracionSoloMuestraLoQueOcultoLaPasada) {
    motor.OcultarVentanas();
    ASSERT_TRUE(motor.Oculto());
    // While concealed, the marked window's program hides it to its tray.
    escritorio.FijarVisible(marcada, false);
    motor.MostrarVentanas();
    EXPECT_FALSE(escritorio.Visible(marcada)) << "the restore showed a window its own program hid";
    for (Handle h : ventanas) EXPECT_TRUE(escritorio.Visible(h));
}

TEST_F(Vuelo, UnaVentanaAcomodadaVuelveAcomodada) {
    escritorio.Acomodar(ventanas[2]);
    motor.OcultarVentanas();
    motor.MostrarVentanas();
    EXPECT_TRUE(escritorio.Visible(ventanas[2]));
    EXPECT_TRUE(escritorio.Datos(ventanas[2]).acomodada) << "the window came back at its size before the snap";
    EXPECT_EQ(escritorio.Datos(ventanas[2]).showCmd, kSwShowNormal);
}

TEST_F(Vuelo, LasVentanasVuelvenApiladasComoSiSeMostraranUnaAUna) {
    // Shows land in reverse order; each raises its window, as under Wine.
    escritorio.diferir = true;
    escritorio.mostrarLlevaAlFrente = true;
    anfitrion.alEsperar = [&] { escritorio.Entregar([](std::size_t) { return std::size_t{0}; }); };
    motor.OcultarVentanas();
    motor.MostrarVentanas();
    // Recorded front to back V3 V2 V1 V0; shown one at a time in that order,
    // V0 ends on top, then V1, V2, V3; V0 was the last hidden and has the
    // foreground.
    std::vector<Handle> orden;
    for (Handle h : escritorio.OrdenZ())
        if (std::find(ventanas.begin(), ventanas.end(), h) != ventanas.end()) orden.push_back(h);
    EXPECT_EQ(orden, ventanas);
    EXPECT_EQ(escritorio.Frente(), ventanas[0]);
    EXPECT_FALSE(escritorio.Subidas().empty()) << "the landing order needed no correction: the case proved nothing";
}

TEST_F(Vuelo, UnaPasadaQueFallaAMitadNoQuedaEnCursoYLoOcultoVuelve) {
    int consultas = 0;
    escritorio.antesDeConsultar = [&] {
        if (++consultas == 4) throw std::bad_alloc();
    };
    PulsarTecla();
    escritorio.antesDeConsultar = nullptr;
    EXPECT_FALSE(motor.EnPasada());
    ASSERT_TRUE(motor.Oculto()) << "the pass hid nothing before it failed: the case proved nothing";
    EXPECT_FALSE(anfitrion.IconoPresente());

    // The restore fails too, after its first window.
    consultas = 0;
    escritorio.antesDeConsultar = [&] {
        if (++consultas == 2) throw std::bad_alloc();
    };
    PulsarTecla();
    escritorio.antesDeConsultar = nullptr;
    EXPECT_FALSE(motor.EnPasada());
    EXPECT_TRUE(motor.Oculto());

    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(anfitrion.IconoPresente());
    for (Handle h : ventanas) EXPECT_TRUE(Visible(h)) << h;
}

}  // namespace
}  // namespace tesk::prueba
