// The sound of concealed programs: muted with their windows, given back
// exactly as it was with them, whatever fails in the audio services.
#include <set>

#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

constexpr std::uint32_t kTesk = 10;
constexpr std::uint32_t kExplorador = 20;

class Sonido : public Banco {
protected:
    Sonido() {
        audio.propio = kTesk;
        audio.Arrancar(kExplorador, L"C:\\Windows\\explorer.exe");
        audio.Arrancar(kTesk, L"C:\\Tesk\\tesk.exe", kExplorador);
        escritorio.procesos[anfitrion.panel] = kTesk;
        escritorio.procesos[barra] = kExplorador;
        escritorio.procesos[fondo] = kExplorador;
    }

    // A window of a process running that executable, started by the shell
    // unless told otherwise.
    Handle Ventana(const std::wstring& titulo, std::uint32_t proceso, const std::wstring& ejecutable,
                   std::uint32_t padre = kExplorador) {
        if (!audio.procesos.count(proceso)) audio.Arrancar(proceso, ejecutable, padre);
        const Handle h = escritorio.Abrir(titulo);
        escritorio.procesos[h] = proceso;
        return h;
    }

    std::set<std::wstring> Calladas() const {
        std::set<std::wstring> calladas;
        for (const auto& [id, s] : audio.sesiones)
            if (s.silenciada) calladas.insert(id);
        return calladas;
    }

    // Muted sessions are written down before they are switched.
    void VigilarElRegistro() {
        audio.alSilenciar = [this](const std::wstring& id, bool silencio) {
            if (silencio && !resguardo.sesiones.count(id)) ++sinAnotar;
        };
    }
    int sinAnotar = 0;
};

TEST_F(Sonido, SeCallanLosProgramasConTodasSusVentanasOcultasYVuelvenComoEstaban) {
    // A browser in two processes with windows and a child that plays without
    // one; a player with one window marked; a service with no window.
    Ventana(L"Navegador 1", 100, L"C:\\nav\\nav.exe");
    Ventana(L"Navegador 2", 101, L"C:\\nav\\nav.exe", 100);
    audio.Arrancar(102, L"C:\\nav\\nav.exe", 100);  // renderer, no window
    audio.Arrancar(103, L"C:\\nav\\ayudante.exe", 102);  // its child, another executable
    Ventana(L"Reproductor", 200, L"C:\\rep\\rep.exe");
    Ventana(L"Reproductor lista", 201, L"C:\\rep\\rep.exe");
    audio.Arrancar(300, L"C:\\svc\\svc.exe");
    // The player started by the browser, without a window of its own: it is
    // the player, which stays on screen.
    audio.Arrancar(202, L"C:\\rep\\rep.exe", 100);
    const std::wstring repHijo = audio.Sonar(202);
    const std::wstring nav1 = audio.Sonar(100), nav2 = audio.Sonar(101), renderer = audio.Sonar(102),
                       ayudante = audio.Sonar(103), rep = audio.Sonar(201), svc = audio.Sonar(300),
                       sistema = audio.Sonar(0), propia = audio.Sonar(kTesk), shell = audio.Sonar(kExplorador);
    std::map<std::wstring, float> niveles;
    for (const auto& [id, s] : audio.sesiones) niveles[id] = s.nivel;
    motor.ActualizarLista();
    MarcarTitulo(L"Reproductor");
    VigilarElRegistro();

    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    EXPECT_EQ(Calladas(), (std::set<std::wstring>{nav1, nav2, renderer, ayudante}))
        << "the player has a window on screen; the service, the system, Tesk and the shell have none hidden";
    EXPECT_EQ(sinAnotar, 0);
    EXPECT_EQ(resguardo.sesiones.size(), 4u);

    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Calladas().empty());
    EXPECT_TRUE(resguardo.sesiones.empty());
    for (const auto& [id, s] : audio.sesiones) EXPECT_EQ(s.nivel, niveles[id]) << "the level is never touched";

    // In "Ocultar lo seleccionado" only the marked program goes quiet.
    motor.CambiarModo();
    motor.ActualizarLista();
    MarcarTitulo(L"Reproductor");
    MarcarTitulo(L"Reproductor lista");
    PulsarTecla();
    EXPECT_EQ(Calladas(), (std::set<std::wstring>{rep, repHijo}));
    PulsarTecla();
    EXPECT_TRUE(Calladas().empty());
}

TEST_F(Sonido, LoQueElUsuarioSilencioSeQuedaAsi) {
    Ventana(L"Llamada", 100, L"C:\\voz\\voz.exe");
    const std::wstring suya = audio.Sonar(100, true), otra = audio.Sonar(100);
    motor.ActualizarLista();
    PulsarTecla();
    EXPECT_EQ(Calladas(), (std::set<std::wstring>{suya, otra}));
    EXPECT_EQ(resguardo.sesiones.size(), 1u) << "only what the program muted is written down";
    PulsarTecla();
    EXPECT_EQ(Calladas(), std::set<std::wstring>{suya});
}

TEST_F(Sonido, LoQueEmpiezaASonarMientrasTantoSeCallaEnUnTickYVuelveConLoDemas) {
    Ventana(L"Navegador", 100, L"C:\\nav\\nav.exe");
    Ventana(L"Editor", 200, L"C:\\ed\\ed.exe");
    motor.ActualizarLista();
    MarcarTitulo(L"Editor");
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    VigilarElRegistro();
    // A page starts playing in the window's process, in a renderer started
    // since, and in the program left on screen.
    const std::wstring pagina = audio.Sonar(100);
    audio.Arrancar(150, L"C:\\nav\\nav.exe", 100);
    const std::wstring nueva = audio.Sonar(150);
    const std::wstring editor = audio.Sonar(200);
    motor.tmrTempo_Timer();
    EXPECT_EQ(Calladas(), (std::set<std::wstring>{pagina, nueva}));
    EXPECT_EQ(sinAnotar, 0);
    // One the user unmutes meanwhile stays as the user left it.
    audio.sesiones[pagina].silenciada = false;
    motor.tmrTempo_Timer();
    EXPECT_EQ(Calladas(), std::set<std::wstring>{nueva});
    PulsarTecla();
    EXPECT_TRUE(Calladas().empty());
    EXPECT_TRUE(resguardo.sesiones.empty());
    // Nothing is looked at while nothing is concealed.
    const int consultas = audio.consultas;
    motor.tmrTempo_Timer();
    EXPECT_EQ(audio.consultas, consultas);
}

TEST_F(Sonido, LoQueDesapareceSeDejaSinError) {
    Ventana(L"Juego", 100, L"C:\\juego\\juego.exe");
    Ventana(L"Navegador", 200, L"C:\\nav\\nav.exe");
    audio.Sonar(100);
    const std::wstring nav = audio.Sonar(200);
    motor.ActualizarLista();
    PulsarTecla();
    ASSERT_EQ(Calladas().size(), 2u);
    audio.Terminar(100);  // the game ended, its session with it
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Calladas().empty());
    EXPECT_TRUE(resguardo.sesiones.empty());

    // A device removed between the listing and the switch.
    audio.alListar = [this, nav] { audio.sesiones.erase(nav); };
    PulsarTecla();
    EXPECT_TRUE(motor.Oculto());
    EXPECT_TRUE(resguardo.sesiones.empty()) << "a session that could not be muted is not written down";
    audio.alListar = nullptr;
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
}

TEST_F(Sonido, UnFalloDelAudioDejaLaOcultacionComoSiempre) {
    const Handle juego = Ventana(L"Juego", 100, L"C:\\juego\\juego.exe");
    const std::wstring id = audio.Sonar(100);
    motor.ActualizarLista();
    for (int fallo = 0; fallo < 5; ++fallo) {
        SCOPED_TRACE(fallo);
        audio.fallarSesiones = fallo == 0;
        audio.fallarSilenciar = fallo == 1;
        audio.fallarProcesos = fallo == 2;
        audio.lanzar = fallo == 3;
        resguardo.capacidadSesiones = fallo == 4 ? 0 : static_cast<std::size_t>(-1);
        PulsarTecla();
        EXPECT_TRUE(motor.Oculto());
        EXPECT_FALSE(Visible(juego));
        EXPECT_FALSE(audio.Silenciada(id));
        EXPECT_TRUE(resguardo.sesiones.empty());
        motor.tmrTempo_Timer();
        EXPECT_FALSE(audio.Silenciada(id));
        PulsarTecla();
        EXPECT_FALSE(motor.Oculto());
        EXPECT_TRUE(Visible(juego));
        EXPECT_TRUE(resguardo.entradas.empty());
    }
    // And a switch that fails on the way back still ends the concealment.
    audio.fallarSesiones = audio.fallarSilenciar = audio.fallarProcesos = audio.lanzar = false;
    resguardo.capacidadSesiones = static_cast<std::size_t>(-1);
    PulsarTecla();
    ASSERT_TRUE(audio.Silenciada(id));
    audio.fallarSilenciar = true;
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Visible(juego));
    EXPECT_TRUE(resguardo.sesiones.empty()) << "a session that did not answer is dropped";
}

TEST_F(Sonido, CadaFinDevuelveElSonido) {
    Ventana(L"Juego", 100, L"C:\\juego\\juego.exe");
    const std::wstring id = audio.Sonar(100);
    motor.ActualizarLista();
    for (int fin = 0; fin < 4; ++fin) {
        SCOPED_TRACE(fin);
        PulsarTecla();
        ASSERT_TRUE(audio.Silenciada(id));
        ASSERT_EQ(resguardo.sesiones.size(), 1u);
        if (fin == 0) {
            motor.RestaurarAntesDeCerrar();
        } else if (fin == 1) {
            // The end of the session: only what the latest look holds, nothing
            // looked up again.
            const int consultas = audio.consultas, sinBuscar = audio.sinBuscar;
            motor.DevolverSinEsperar();
            EXPECT_EQ(audio.consultas, consultas);
            EXPECT_GT(audio.sinBuscar, sinBuscar);
        } else if (fin == 2) {
            // One that does not answer then stays in the record, for the
            // watcher.
            const std::wstring tarde = audio.Sonar(100);
            motor.tmrTempo_Timer();
            ASSERT_TRUE(audio.Silenciada(tarde));
            audio.sesiones.erase(tarde);
            motor.DevolverSinEsperar();
            EXPECT_TRUE(resguardo.sesiones.count(tarde));
            resguardo.sesiones.erase(tarde);
        } else {
            // Killed: the watcher gives back what the record holds.
            resguardo.Recuperar(escritorio, audio);
            EXPECT_FALSE(audio.Silenciada(id));
            motor.RestaurarAntesDeCerrar();  // the test's own tidying
        }
        EXPECT_FALSE(audio.Silenciada(id));
        EXPECT_FALSE(motor.Oculto());
        EXPECT_TRUE(resguardo.sesiones.empty());
        motor.tmrTempo_Timer();
    }
}

}  // namespace
}  // namespace tesk::prueba
