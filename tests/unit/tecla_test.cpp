#include "engine/Tecla.h"

#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

TEST(SiguienteTecla, RecorreDeF6AF12YVuelveAF6EnSietePasos) {
    std::wstring nombre = L"F6";
    std::vector<std::int32_t> codigos;
    for (int i = 0; i < 7; ++i) {
        auto siguiente = SiguienteTecla(nombre);
        ASSERT_TRUE(siguiente);
        nombre = siguiente->nombre;
        codigos.push_back(siguiente->codigo);
    }
    EXPECT_EQ(nombre, L"F6");
    EXPECT_EQ(codigos, (std::vector<std::int32_t>{118, 119, 120, 121, 122, 123, 117}));
}

TEST(SiguienteTecla, LosNombresFueraDelCicloNoCambianNada) {
    for (const wchar_t* nombre : {L"f6", L"F5", L"F13", L"", L" F6", L"F1"}) EXPECT_FALSE(SiguienteTecla(nombre)) << nombre;
}

TEST(DetectorPulsacion, CuentaCadaPulsacionUnaSolaVez) {
    DetectorPulsacion d;
    EXPECT_FALSE(d.NuevaPulsacion(0));
    EXPECT_TRUE(d.NuevaPulsacion(kTeclaAbajo | kTeclaPulsada));  // went down
    EXPECT_FALSE(d.NuevaPulsacion(kTeclaAbajo));                 // held
    EXPECT_FALSE(d.NuevaPulsacion(kTeclaAbajo | kTeclaPulsada)); // held, autorepeat
    EXPECT_FALSE(d.NuevaPulsacion(0));                           // released
    EXPECT_TRUE(d.NuevaPulsacion(kTeclaPulsada));                // down and up between ticks
    EXPECT_FALSE(d.NuevaPulsacion(0));
    EXPECT_TRUE(d.NuevaPulsacion(kTeclaAbajo));                  // down, bit already taken by another reader
}

using TeclaActivacion = Banco;

TEST_F(TeclaActivacion, UnaPulsacionOcultaYLaSiguienteRestauraAunConElPanelOculto) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    anfitrion.OcultarPanel();
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(motor.Oculto());
    PulsarTecla();
    EXPECT_TRUE(Visible(a));
    EXPECT_FALSE(motor.Oculto());
}

// Another copy of the program asks for the windows back: on the next tick,
// as the key would; asked while nothing is concealed, nothing happens then
// or later; asked during a hide pass, it waits for the pass.
TEST_F(TeclaActivacion, OtraCopiaPideLaRestauracionComoLaTecla) {
    const Handle a = escritorio.Abrir(L"A");
    const Handle b = escritorio.Abrir(L"B");
    motor.ActualizarLista();
    motor.PedirRestauracion();
    motor.tmrTempo_Timer();
    EXPECT_TRUE(escritorio.Llamadas().empty());
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    motor.tmrTempo_Timer();
    EXPECT_TRUE(motor.Oculto()) << "a request made while nothing was concealed restored later";

    escritorio.TomarFrente(0);
    motor.PedirRestauracion();
    EXPECT_TRUE(motor.Oculto()) << "restored before the tick, from inside the message";
    motor.tmrTempo_Timer();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Visible(a) && Visible(b));
    EXPECT_EQ(escritorio.Frente(), motor.UltimaOculta());

    escritorio.alPedir = [&](Handle, std::int32_t estado) {
        if (estado == kSwHide) motor.PedirRestauracion();
    };
    PulsarTecla();  // hides, then the next tick restores
    escritorio.alPedir = nullptr;
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Visible(a) && Visible(b));
}

// The key as a system hot key: registered at the first tick on the panel's
// window, moved with the key, never F12; a press runs its pass at once and
// counts once, held or not, whether the hot key or the tick sees it first.
TEST_F(TeclaActivacion, LaTeclaRegistradaCuentaUnaVezPorPulsacionYSeMueveConLaTecla) {
    escritorio.teclasRegistrables = true;
    escritorio.alTeclaRegistrada = [&] { motor.TeclaRegistradaPulsada(); };
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.tmrTempo_Timer();
    ASSERT_EQ(escritorio.TeclaRegistrada(), 117);

    escritorio.Presionar(117);
    EXPECT_TRUE(motor.Oculto()) << "the hot key did not run the pass at once";
    motor.TeclaRegistradaPulsada();  // a system that repeats hot keys while held
    for (int tick = 0; tick < 3; ++tick) motor.tmrTempo_Timer();
    escritorio.Soltar(117);
    motor.tmrTempo_Timer();
    EXPECT_TRUE(motor.Oculto()) << "one press counted twice";
    EXPECT_FALSE(Visible(a));
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());

    // A press during a pass is seen by the next tick, once.
    bool otra = false;
    escritorio.alPedir = [&](Handle, std::int32_t estado) {
        if (estado != kSwHide || otra) return;
        otra = true;
        escritorio.Soltar(117);
        escritorio.Presionar(117);
        escritorio.Soltar(117);
    };
    escritorio.Presionar(117);
    escritorio.alPedir = nullptr;
    ASSERT_TRUE(otra);
    EXPECT_TRUE(motor.Oculto());
    motor.tmrTempo_Timer();
    EXPECT_FALSE(motor.Oculto()) << "the press made during the pass was lost";
    motor.tmrTempo_Timer();
    EXPECT_FALSE(motor.Oculto());

    EXPECT_EQ(motor.AvanzarTecla(L"F6"), L"F7");
    EXPECT_EQ(escritorio.TeclaRegistrada(), 118);
    for (const wchar_t* nombre : {L"F7", L"F8", L"F9", L"F10", L"F11"}) motor.AvanzarTecla(nombre);
    EXPECT_EQ(motor.Tecla(), 123);
    EXPECT_FALSE(escritorio.TeclaRegistrada()) << "F12 was registered";
    for (int tick = 0; tick < 12; ++tick) motor.tmrTempo_Timer();
    EXPECT_FALSE(escritorio.TeclaRegistrada());
    PulsarTecla();  // read, as the key is
    EXPECT_TRUE(motor.Oculto());
}

// Another program holds the key: it is read as before, and registered once
// that program lets it go.
TEST_F(TeclaActivacion, UnaTeclaQueTieneOtroProgramaSeLeeYSeRegistraCuandoQuedaLibre) {
    escritorio.teclasRegistrables = true;
    escritorio.teclasAjenas = {117};
    escritorio.alTeclaRegistrada = [&] { motor.TeclaRegistradaPulsada(); };
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
    EXPECT_FALSE(motor.TeclaRegistrada());

    escritorio.teclasAjenas.clear();
    for (int tick = 0; tick < 10 && !motor.TeclaRegistrada(); ++tick) motor.tmrTempo_Timer();
    EXPECT_EQ(escritorio.TeclaRegistrada(), 117) << "not registered within a second of being let go";
    escritorio.Presionar(117);
    EXPECT_TRUE(Visible(a));
    escritorio.Soltar(117);
}

TEST_F(TeclaActivacion, UnaTeclaMantenidaEmpiezaUnaSolaPasada) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    escritorio.Presionar(motor.Tecla());
    for (int tick = 0; tick < 4; ++tick) motor.tmrTempo_Timer();  // 400 ms held
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(motor.Oculto());
    escritorio.Soltar(motor.Tecla());
    motor.tmrTempo_Timer();
    EXPECT_TRUE(motor.Oculto());
}

TEST_F(TeclaActivacion, UnaPulsacionEntreDosTicksCuenta) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.tmrTempo_Timer();
    escritorio.Presionar(motor.Tecla());
    escritorio.Soltar(motor.Tecla());
    motor.tmrTempo_Timer();
    EXPECT_FALSE(Visible(a));
}

TEST_F(TeclaActivacion, SoloCuentaLaTeclaElegida) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    EXPECT_EQ(motor.Tecla(), 117);
    EXPECT_EQ(motor.AvanzarTecla(L"F6"), L"F7");
    EXPECT_EQ(motor.Tecla(), 118);
    EXPECT_EQ(motor.AvanzarTecla(L"nada"), std::nullopt);
    EXPECT_EQ(motor.Tecla(), 118);

    escritorio.Presionar(117);
    motor.tmrTempo_Timer();
    EXPECT_TRUE(Visible(a));
    escritorio.Soltar(117);
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
}

TEST_F(TeclaActivacion, UnaPulsacionAnteriorAVigilarLaTeclaNoCuenta) {
    // Pressed and released in another program before the engine existed.
    EscritorioFalso otro;
    otro.CrearShell();
    const Handle a = otro.Abrir(L"A");
    otro.Presionar(117);
    otro.Soltar(117);
    AnfitrionFalso panel(otro);
    ListaMemoria suya;
    Motor recien(otro, panel, suya);
    recien.ActualizarLista();
    recien.tmrTempo_Timer();
    EXPECT_TRUE(otro.EsVisible(a));
    EXPECT_FALSE(recien.Oculto());
}

TEST_F(TeclaActivacion, UnaPulsacionDeLaTeclaAnteriorAElegirlaNoCuenta) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    escritorio.Presionar(118);
    escritorio.Soltar(118);
    motor.tmrTempo_Timer();
    ASSERT_EQ(motor.AvanzarTecla(L"F6"), L"F7");
    motor.tmrTempo_Timer();
    EXPECT_TRUE(Visible(a));
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
}

}  // namespace
}  // namespace tesk::prueba
