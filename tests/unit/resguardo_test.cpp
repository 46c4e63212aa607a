// The record shared with the watching process: every window is in it
// before it is asked to hide, with the command that brings it back, and its
// entry goes only once the window is back on screen or gone.
#include <map>
#include <set>

#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

class Registro : public Banco {
protected:
    Registro() {
        normal = escritorio.Abrir(L"Normal");
        minimizada = escritorio.Abrir(L"Minimizada", kSwShowMinimized);
        maximizada = escritorio.Abrir(L"Maximizada", kSwShowMaximized);
        marcada = escritorio.Abrir(L"Marcada");
        motor.ActualizarLista();
        MarcarTitulo(L"Marcada");
        // Nothing is hidden that was not written down first.
        escritorio.alPedir = [this](Handle h, std::int32_t estado) {
            if (estado == kSwHide && !resguardo.Contiene(h)) sinAnotar.insert(h);
        };
    }
    Handle normal = 0, minimizada = 0, maximizada = 0, marcada = 0;
    std::set<Handle> sinAnotar;
};

TEST_F(Registro, CadaVentanaSeAnotaAntesDeOcultarseConElComandoQueLaDevuelve) {
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    EXPECT_TRUE(sinAnotar.empty());
    // Every window comes back as it was hidden, without activation: normal
    // and maximised as they are (a snapped one stays snapped), minimised as
    // a minimised window that is not activated.
    const std::map<Handle, std::int32_t> esperadas{
        {normal, kSwShowNa}, {minimizada, kSwShowMinNoActive}, {maximizada, kSwShowNa}};
    EXPECT_EQ(resguardo.entradas, esperadas) << "the marked window, the panel and the shell are not in the record";
    EXPECT_EQ(resguardo.preparaciones, 1);

    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(resguardo.entradas.empty()) << "every window is back: nothing stays in the record";

    // A pass that does nothing (every entry marked) asks for no watcher.
    for (int i = 0; i < lista.Cantidad(); ++i) lista.Marcar(i, true);
    PulsarTecla();
    EXPECT_EQ(resguardo.preparaciones, 1);
}

TEST_F(Registro, CadaTickVelaPorElGuardianTambienConVentanasOcultas) {
    const int antes = resguardo.vigilancias;
    motor.tmrTempo_Timer();
    EXPECT_EQ(resguardo.vigilancias, antes + 1);
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    const int ocultas = resguardo.vigilancias;
    motor.tmrTempo_Timer();
    motor.tmrTempo_Timer();
    EXPECT_EQ(resguardo.vigilancias, ocultas + 2) << "while concealed, a guardian that died would stay dead";
}

TEST_F(Registro, LaEntradaDeUnaVentanaBloqueadaQuedaHastaQueAterriceSuVuelta) {
    PulsarTecla();
    escritorio.Bloquear(normal);
    PulsarTecla();
    ASSERT_FALSE(motor.Oculto());
    EXPECT_EQ(resguardo.entradas.size(), 1u) << "only the window whose show is still on its way";
    EXPECT_TRUE(resguardo.Contiene(normal));

    motor.tmrTempo_Timer();
    EXPECT_TRUE(resguardo.Contiene(normal)) << "a tick while it is still blocked keeps it";
    escritorio.Desbloquear(normal);
    escritorio.EntregarTodo();
    ASSERT_TRUE(escritorio.Visible(normal));
    motor.tmrTempo_Timer();
    EXPECT_TRUE(resguardo.entradas.empty()) << "the first tick after it landed takes it out";
}

TEST_F(Registro, UnaVentanaOcultadaOtraVezAntesDeVolverConservaSuEntrada) {
    PulsarTecla();
    escritorio.Bloquear(normal);
    PulsarTecla();  // its show is on its way, behind its hide
    PulsarTecla();  // hidden again: queued behind that show
    ASSERT_TRUE(motor.Oculto());
    escritorio.Desbloquear(normal);
    escritorio.EntregarTodo();
    motor.tmrTempo_Timer();
    EXPECT_FALSE(escritorio.Visible(normal));
    EXPECT_TRUE(resguardo.Contiene(normal)) << "a hidden window lost its entry when an older show landed";
}

TEST_F(Registro, LaVueltaQuitaTambienLasQueSuProgramaMostroOCerro) {
    PulsarTecla();
    escritorio.FijarVisible(minimizada, true);  // its own program showed it
    escritorio.Cerrar(maximizada);
    escritorio.OlvidarLlamadas();
    PulsarTecla();
    EXPECT_TRUE(resguardo.entradas.empty());
    for (const auto& [h, estado] : escritorio.Llamadas()) EXPECT_NE(h, minimizada) << "a window on screen was shown";
}

TEST_F(Registro, UnaVentanaQueNoCabeEnElRegistroSeQuedaEnPantalla) {
    resguardo.capacidad = 2;
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    EXPECT_EQ(resguardo.entradas.size(), 2u);
    int ocultas = 0;
    for (Handle h : {normal, minimizada, maximizada}) {
        if (escritorio.Visible(h)) continue;
        ++ocultas;
        EXPECT_TRUE(resguardo.Contiene(h));
    }
    EXPECT_EQ(ocultas, 2) << "the window that did not fit was hidden anyway, or another was not";
    EXPECT_TRUE(resguardo.Contiene(motor.UltimaOculta()));

    // None fits: nothing is hidden, and the program stays reachable.
    PulsarTecla();
    resguardo.capacidad = 0;
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_EQ(motor.UltimaOculta(), -1);
    EXPECT_TRUE(anfitrion.IconoPresente());
    EXPECT_TRUE(escritorio.Visible(normal) && escritorio.Visible(minimizada) && escritorio.Visible(maximizada));
}

TEST_F(Registro, CerrarDuranteLaPasadaDejaEnElRegistroSoloLoQueNoHaVuelto) {
    escritorio.diferir = true;
    escritorio.Bloquear(maximizada);
    bool cerrado = false;
    anfitrion.alEsperar = [&] {
        if (!cerrado) {
            cerrado = true;
            motor.RestaurarAntesDeCerrar();  // the session ends while the pass waits
        }
        escritorio.EntregarTodo();
    };
    escritorio.Presionar(motor.Tecla());
    motor.tmrTempo_Timer();
    ASSERT_TRUE(cerrado);
    EXPECT_TRUE(sinAnotar.empty());
    EXPECT_EQ(resguardo.entradas, (std::map<Handle, std::int32_t>{{maximizada, kSwShowNa}}))
        << "the blocked window stays for the watcher to bring back; the others are back";
}

}  // namespace
}  // namespace tesk::prueba
