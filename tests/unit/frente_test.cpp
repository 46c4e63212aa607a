// After a restore, the last window hidden stays in the foreground against
// changes nobody's input made, for a moment, and only while the user has not
// moved on.
#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

constexpr std::int64_t kTick = 100;

class Frente : public Banco {
protected:
    Frente() {
        delante = escritorio.Abrir(L"Delante");
        detras = escritorio.AbrirAlFondo(L"Detras");
        motor.ActualizarLista();
        escritorio.Reordenar({barra, anfitrion.panel, delante, detras, fondo});
        PulsarTecla();
        EXPECT_TRUE(motor.Oculto());
        EXPECT_EQ(motor.UltimaOculta(), detras);
    }

    // One tick of the panel's timer, 100 ms after the one before.
    void Tick() {
        anfitrion.reloj += kTick;
        motor.tmrTempo_Timer();
    }

    // The restore, with the key let go at the next tick; ultima is the
    // window it brought to the front.
    void Restaurar() {
        ultima = motor.UltimaOculta();
        PulsarTecla();
        ASSERT_FALSE(motor.Oculto());
        ASSERT_EQ(escritorio.Frente(), ultima);
    }

    void Ticks(int cuantos) {
        for (int i = 0; i < cuantos; ++i) Tick();
    }

    // The restore, with the last window hidden blocked in its program: the
    // restore gives up waiting for it.
    void RestaurarSinQueLlegue() {
        escritorio.Bloquear(detras);
        PulsarTecla();
        ASSERT_FALSE(motor.Oculto());
        ASSERT_FALSE(escritorio.Visible(detras));
    }

    // Its program answers: the window is on screen.
    void Llega() {
        escritorio.Desbloquear(detras);
        escritorio.EntregarTodo();
        ASSERT_TRUE(escritorio.Visible(detras));
    }

    std::size_t Pedidos() const { return escritorio.PedidosAlFrente().size(); }

    // No window has the foreground, and two ticks pass: whether the program
    // left it so, asking nothing.
    bool DejaElFrenteSinDueno() {
        escritorio.TomarFrente(0);
        const std::size_t antes = Pedidos();
        Tick();
        Tick();
        return Pedidos() == antes && escritorio.Frente() == 0;
    }

    Handle delante = 0;
    Handle detras = 0;
    Handle ultima = 0;
};

TEST_F(Frente, LoQueNadieEligioVuelveALaUltimaOcultaEnElTickSiguiente) {
    Restaurar();
    // The display reports the old focus late: no window has the foreground.
    escritorio.TomarFrente(0);
    Tick();
    EXPECT_EQ(escritorio.Frente(), ultima);

    // A window that the restore made appear takes the focus on its own.
    const Handle aparecida = escritorio.Abrir(L"Bandeja del sistema");
    escritorio.TomarFrente(aparecida);
    Tick();
    EXPECT_EQ(escritorio.Frente(), ultima);

    // Where it should be, it is not asked again.
    const std::size_t pedidos = Pedidos();
    Tick();
    Tick();
    EXPECT_EQ(Pedidos(), pedidos);
}

// The notification area's window is on screen when the restore looks (a
// window manager showed it again with the icon before the restore was done
// with the foreground): it is still no program coming forward.
TEST_F(Frente, LaBandejaYaEnPantallaNoSeQuedaConElFrente) {
    const Handle bandeja = escritorio.CrearOtraSuperficie(L"Bandeja");
    Restaurar();
    escritorio.TomarFrente(bandeja);
    Tick();
    EXPECT_EQ(escritorio.Frente(), ultima);
}

TEST_F(Frente, LaEntradaDelUsuarioDejaElFrenteDondeElUsuarioLoPuso) {
    Restaurar();
    Tick();
    // The user clicks the window in front: it is theirs from then on.
    escritorio.EntradaDelUsuario();
    escritorio.TomarFrente(delante);
    Tick();
    EXPECT_EQ(escritorio.Frente(), delante);
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

TEST_F(Frente, UnaVentanaQueYaEstabaEnPantallaPuedeVenirAlFrenteSinElUsuario) {
    // Its own program activates it: that is left alone, and so is what
    // follows.
    Restaurar();
    Tick();
    escritorio.TomarFrente(delante);
    Tick();
    EXPECT_EQ(escritorio.Frente(), delante);
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

TEST_F(Frente, LaTeclaQueSigueAbajoYSuSueltaNoSonElUsuarioMoviendose) {
    escritorio.Presionar(motor.Tecla());
    Tick();  // the restore
    ASSERT_FALSE(motor.Oculto());
    escritorio.TomarFrente(0);
    Tick();
    Tick();
    // Held: nothing is decided while the key is down.
    EXPECT_EQ(escritorio.Frente(), 0);
    escritorio.Soltar(motor.Tecla());
    Tick();
    EXPECT_EQ(escritorio.Frente(), detras);
    // Input from then on ends the watch.
    escritorio.EntradaDelUsuario();
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

TEST_F(Frente, ElFrenteSeGuardaDosSegundosYVeinteTicksYNadaMas) {
    Restaurar();
    // A busy machine: the clock has run on, the timer has hardly ticked.
    anfitrion.reloj += 5000;
    escritorio.TomarFrente(0);
    Tick();
    EXPECT_EQ(escritorio.Frente(), ultima) << "the watch ended on the clock alone";
    // Twenty ticks after the restore, it is over.
    Ticks(18);
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

TEST_F(Frente, UnaVentanaQueLlegaTardeSeGuardaDesdeQueEstaEnPantalla) {
    RestaurarSinQueLlegue();
    // Its program answers after five seconds of the timer's ticks.
    Ticks(50);
    Llega();
    Tick();
    ASSERT_EQ(escritorio.Frente(), detras);
    // The display reports the old focus late: still within its watch.
    Ticks(10);
    escritorio.TomarFrente(0);
    Tick();
    EXPECT_EQ(escritorio.Frente(), detras);
    Ticks(10);
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

TEST_F(Frente, UnaVentanaQueNoLlegaEnDiezSegundosNoSeTraeCuandoLlega) {
    RestaurarSinQueLlegue();
    escritorio.TomarFrente(0);
    Ticks(100);
    Llega();
    Tick();
    Tick();
    EXPECT_TRUE(escritorio.PedidosAlFrente().empty());
}

TEST_F(Frente, UnSistemaQueSeNiegaNoVuelveASerPreguntado) {
    // Refused at the restore: never asked again.
    escritorio.negarFrente = true;
    PulsarTecla();
    ASSERT_FALSE(motor.Oculto());
    EXPECT_EQ(Pedidos(), 1u);
    Tick();
    Tick();
    EXPECT_EQ(Pedidos(), 1u);

    // Granted at the restore, refused the next time: asked once more only.
    escritorio.negarFrente = false;
    PulsarTecla();
    Restaurar();
    const std::size_t pedidos = Pedidos();
    escritorio.negarFrente = true;
    escritorio.TomarFrente(0);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Pedidos(), pedidos + 1);
}

// Windows' foreground lock: a restore on a key only read is refused the
// foreground (and asks no more); on the key registered as a hot key, the
// press is the program's own input, and the window comes to the front.
TEST_F(Frente, ConElBloqueoDelSistemaSoloLaTeclaRegistradaDaElFrente) {
    escritorio.bloqueoFrente = true;
    escritorio.TomarFrente(barra);
    PulsarTecla();
    ASSERT_FALSE(motor.Oculto());
    EXPECT_EQ(escritorio.Frente(), barra);
    EXPECT_EQ(Pedidos(), 1u);
    Tick();
    EXPECT_EQ(Pedidos(), 1u) << "a refused foreground was asked again";

    escritorio.teclasRegistrables = true;
    escritorio.alTeclaRegistrada = [&] { motor.TeclaRegistradaPulsada(); };
    for (int tick = 0; tick < 10 && !motor.TeclaRegistrada(); ++tick) Tick();
    ASSERT_TRUE(motor.TeclaRegistrada());
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    const Handle ultimaAhora = motor.UltimaOculta();
    escritorio.TomarFrente(barra);
    escritorio.Presionar(motor.Tecla());
    EXPECT_FALSE(motor.Oculto());
    EXPECT_EQ(escritorio.Frente(), ultimaAhora);
    escritorio.Soltar(motor.Tecla());
}

TEST_F(Frente, UnaVentanaCerradaUOcultadaPorSuProgramaNoSeTrae) {
    Restaurar();
    escritorio.FijarVisible(ultima, false);
    escritorio.TomarFrente(0);
    const std::size_t pedidos = Pedidos();
    Tick();
    escritorio.FijarVisible(ultima, true);
    Tick();
    EXPECT_EQ(Pedidos(), pedidos) << "the watch ended when its window went away";

    PulsarTecla();
    Restaurar();
    escritorio.Cerrar(ultima);
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

TEST_F(Frente, UnaVentanaQueTodaviaNoEstaEnPantallaVieneAlFrenteCuandoLlega) {
    RestaurarSinQueLlegue();
    EXPECT_TRUE(escritorio.PedidosAlFrente().empty()) << "the keyboard was sent to a window nobody sees";
    Tick();
    EXPECT_TRUE(escritorio.PedidosAlFrente().empty());
    Llega();
    Tick();
    EXPECT_EQ(escritorio.Frente(), detras);
}

TEST_F(Frente, OcultarOtraVezTerminaLaVigilancia) {
    Restaurar();
    PulsarTecla();  // hidden again, with the one that was in front
    ASSERT_TRUE(motor.Oculto());
    EXPECT_TRUE(DejaElFrenteSinDueno());
}

}  // namespace
}  // namespace tesk::prueba
