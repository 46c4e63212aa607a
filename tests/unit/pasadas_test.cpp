#include <algorithm>
#include <map>

#include "panel/Captions.h"
#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

// The desktop of the worked example, front to back: taskbar T, panel P,
// A (listed, marked), B (listed, unmarked), C (visible, opened after the
// refresh), desktop window D.
class Ejemplo : public Banco {
protected:
    Ejemplo() {
        a = escritorio.Abrir(L"A", kSwShowMaximized);
        b = escritorio.Abrir(L"B", kSwShowMinimized);
        motor.ActualizarLista();
        MarcarTitulo(L"A");
        c = escritorio.Abrir(L"C");
        escritorio.Reordenar({barra, anfitrion.panel, a, b, c, fondo});
        escritorio.OlvidarLlamadas();
    }
    Handle a = 0, b = 0, c = 0;
};

TEST_F(Ejemplo, OcultarTodoExceptoLoMarcado) {
    motor.OcultarVentanas();

    EXPECT_FALSE(Visible(anfitrion.panel));
    EXPECT_FALSE(anfitrion.IconoPresente());
    EXPECT_TRUE(Visible(barra));
    EXPECT_TRUE(Visible(a));
    EXPECT_FALSE(Visible(b));
    EXPECT_FALSE(Visible(c));
    EXPECT_TRUE(Visible(fondo));
    std::vector<Handle> guardadas;
    for (const Ventana& v : motor.VentanasGuardadas()) guardadas.push_back(v.hWnd);
    EXPECT_EQ(guardadas, (std::vector<Handle>{0, barra, a, b, c, fondo}));
    EXPECT_EQ(motor.VentanasGuardadas()[3].Estado, kSwShowMinimized);
    EXPECT_EQ(motor.UltimaOculta(), c);
    EXPECT_TRUE(motor.Oculto());

    escritorio.OlvidarLlamadas();
    motor.MostrarVentanas();

    // Only B and C are touched, each in its recorded state and without
    // activation (minimised, and normal as it is); C, furthest back, comes
    // to the front; the icon returns, the panel does not.
    EXPECT_EQ(escritorio.Llamadas(),
              (std::vector<std::pair<Handle, std::int32_t>>{{b, kSwShowMinNoActive}, {c, kSwShowNa}}));
    EXPECT_TRUE(Visible(b));
    EXPECT_EQ(escritorio.Datos(b).showCmd, kSwShowMinimized);
    EXPECT_TRUE(Visible(c));
    EXPECT_EQ(escritorio.Datos(a).showCmd, kSwShowMaximized);
    EXPECT_EQ(escritorio.Frente(), c);
    EXPECT_TRUE(anfitrion.IconoPresente());
    EXPECT_FALSE(Visible(anfitrion.panel));
    EXPECT_FALSE(motor.Oculto());
}

TEST_F(Ejemplo, OcultarSoloLoMarcado) {
    EXPECT_EQ(motor.CambiarModo(), L"Motrar");
    motor.OcultarVentanas();
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(Visible(b));
    EXPECT_FALSE(Visible(c));
    EXPECT_EQ(motor.UltimaOculta(), c);

    motor.MostrarVentanas();
    EXPECT_TRUE(Visible(a));
    EXPECT_EQ(escritorio.Datos(a).showCmd, kSwShowMaximized);
    EXPECT_EQ(escritorio.Frente(), c);
}

TEST_F(Ejemplo, ElModoSeAlternaConSuTexto) {
    EXPECT_EQ(motor.Modo(), L"Ocultar");
    EXPECT_EQ(CaptionModo(motor.CambiarModo()), L"Ocultar lo seleccionado");
    EXPECT_EQ(motor.Modo(), L"Motrar");
    EXPECT_EQ(CaptionModo(motor.CambiarModo()), L"Ocultar todo excepto");
    EXPECT_EQ(motor.Modo(), L"Ocultar");
    EXPECT_EQ(lista.CantidadMarcadas(), 1);  // marks stay
}

using Pasada = Banco;

TEST_F(Pasada, ConLaListaVaciaOEnteraMarcadaNadaCambiaEnNingunModo) {
    escritorio.Abrir(L"sin listar");
    motor.OcultarVentanas();  // empty list
    EXPECT_TRUE(escritorio.Llamadas().empty());
    EXPECT_TRUE(Visible(anfitrion.panel));
    EXPECT_TRUE(anfitrion.IconoPresente());

    motor.ActualizarLista();
    const Handle nueva = escritorio.Abrir(L"nueva");
    for (int modo = 0; modo < 2; ++modo) {
        lista.Marcar(0, true);
        motor.OcultarVentanas();
        EXPECT_TRUE(escritorio.Llamadas().empty());
        EXPECT_TRUE(Visible(nueva));
        EXPECT_TRUE(Visible(anfitrion.panel));
        EXPECT_FALSE(motor.Oculto());
        EXPECT_EQ(motor.VentanasGuardadas().size(), 1u);
        motor.CambiarModo();
    }
}

TEST_F(Pasada, UnaPasadaQueNoOcultaNadaDejaElProgramaAlAlcance) {
    escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.CambiarModo();  // hide only the marked: nothing is marked

    motor.OcultarVentanas();

    EXPECT_TRUE(escritorio.Llamadas().empty());
    EXPECT_FALSE(Visible(anfitrion.panel));
    EXPECT_TRUE(anfitrion.IconoPresente());
    EXPECT_FALSE(motor.Oculto());
    EXPECT_EQ(motor.UltimaOculta(), -1);

    // The next press starts another hide pass, which now finds a newcomer.
    const Handle nueva = escritorio.Abrir(L"nueva");
    PulsarTecla();
    EXPECT_FALSE(Visible(nueva));
    EXPECT_TRUE(motor.Oculto());
    EXPECT_FALSE(anfitrion.IconoPresente());
}

TEST_F(Pasada, LasVentanasSinListarYSinTituloSeOcultanEnAmbosModos) {
    escritorio.Abrir(L"otra");
    escritorio.Abrir(L"listada");
    motor.ActualizarLista();
    lista.Marcar(0, true);
    escritorio.Abrir(L"listada");  // same title, other window
    for (int modo = 0; modo < 2; ++modo) {
        const Handle sinTitulo = escritorio.Abrir(L"   ");
        const Handle nueva = escritorio.Abrir(L"nueva");
        const Handle aparecida = escritorio.Abrir(L"aparecida", kSwShowNormal, false);
        escritorio.FijarVisible(aparecida, true);
        if (modo == 1) {
            motor.CambiarModo();
            lista.Marcar(0, false);
        }
        motor.OcultarVentanas();
        EXPECT_FALSE(Visible(sinTitulo));
        EXPECT_FALSE(Visible(nueva));
        EXPECT_FALSE(Visible(aparecida));
        motor.MostrarVentanas();
        EXPECT_TRUE(Visible(sinTitulo) && Visible(nueva) && Visible(aparecida));
    }
}

TEST_F(Pasada, ElShellNuncaSeOcultaAunqueTengaTitulo) {
    escritorio.CambiarTitulo(barra, L"Barra de tareas");
    escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.OcultarVentanas();
    EXPECT_TRUE(Visible(barra));
    EXPECT_TRUE(Visible(fondo));
    for (const auto& [h, estado] : escritorio.Llamadas()) EXPECT_TRUE(h != barra && h != fondo);
}

TEST_F(Pasada, UnaOcultacionQueReordenaElEscritorioNoSeSaltaNingunaVentana) {
    // Under Wine a hidden window moves to the front of the Z order.
    escritorio.ocultarLlevaAlFrente = true;
    std::vector<Handle> ventanas;
    for (int i = 0; i < 6; ++i) ventanas.push_back(escritorio.Abrir(L"V" + std::to_wstring(i)));
    motor.ActualizarLista();
    MarcarTitulo(L"V3");
    motor.OcultarVentanas();
    for (Handle h : ventanas) EXPECT_EQ(Visible(h), h == ventanas[3]) << h;
    EXPECT_EQ(motor.UltimaOculta(), ventanas[0]);
    motor.MostrarVentanas();
    for (Handle h : ventanas) EXPECT_TRUE(Visible(h)) << h;
}

TEST_F(Pasada, OtrasSuperficiesDelShellSeRegistranPeroNuncaSeListanNiSeOcultan) {
    const Handle segundaBarra = escritorio.CrearOtraSuperficie(L"");
    const Handle capa = escritorio.CrearOtraSuperficie(L"Capa del escritorio");
    const Handle a = escritorio.Abrir(L"A");
    escritorio.AbrirAlFondo(L"B");
    motor.ActualizarLista();
    EXPECT_EQ(lista.Cantidad(), 2);
    motor.OcultarVentanas();
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(Visible(segundaBarra));
    EXPECT_TRUE(Visible(capa));
    bool registrada = false;
    for (const Ventana& v : motor.VentanasGuardadas()) registrada = registrada || v.hWnd == capa;
    EXPECT_TRUE(registrada);
}

TEST_F(Pasada, TrasRestaurarQuedaAlFrenteLaOcultaQueEstabaMasAtras) {
    const Handle atras = escritorio.Abrir(L"atrás");
    escritorio.Abrir(L"medio");
    escritorio.Abrir(L"delante");
    motor.ActualizarLista();
    lista.Marcar(0, false);
    motor.OcultarVentanas();
    EXPECT_EQ(motor.UltimaOculta(), atras);
    motor.MostrarVentanas();
    EXPECT_EQ(escritorio.Frente(), atras);
}

TEST_F(Pasada, UnaSegundaPasadaDeOcultacionEmpiezaRegistrosNuevos) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.OcultarVentanas();
    motor.MostrarVentanas();
    escritorio.Cerrar(a);
    const Handle b = escritorio.Abrir(L"B");
    motor.OcultarVentanas();
    for (const Ventana& v : motor.VentanasGuardadas()) EXPECT_NE(v.hWnd, a);
    EXPECT_EQ(motor.VentanasGuardadas().back().hWnd, fondo);
    EXPECT_FALSE(Visible(b));
}

TEST_F(Pasada, NoHayPasadaDeOcultacionMientrasHayVentanasOcultasParaNoPerderNingunRegistro) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.OcultarVentanas();
    ASSERT_FALSE(Visible(a));
    motor.OcultarVentanas();  // would otherwise drop A's record
    motor.MostrarVentanas();
    EXPECT_TRUE(Visible(a));
}

TEST_F(Pasada, RestaurarSinNadaOcultoNoHaceNada) {
    escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.MostrarVentanas();
    EXPECT_TRUE(escritorio.Llamadas().empty());
    EXPECT_EQ(escritorio.Frente(), 0);
}

TEST_F(Pasada, VentanasCerradasOCambiadasMientrasEstanOcultasNoDetienenLaRestauracion) {
    const Handle cerrada = escritorio.Abrir(L"cerrada");
    const Handle sigue = escritorio.Abrir(L"sigue", kSwShowMaximized);
    const Handle ultima = escritorio.AbrirAlFondo(L"última");
    escritorio.Reordenar({anfitrion.panel, barra, cerrada, sigue, ultima, fondo});
    motor.ActualizarLista();
    motor.OcultarVentanas();
    escritorio.Cerrar(cerrada);
    escritorio.Cerrar(ultima);  // even the window meant to come to the front
    motor.MostrarVentanas();
    EXPECT_TRUE(Visible(sigue));
    EXPECT_EQ(escritorio.Datos(sigue).showCmd, kSwShowMaximized);
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(anfitrion.IconoPresente());
}

TEST_F(Pasada, UnaVentanaCuyaColocacionNoSePudoLeerVuelveDeTodosModos) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    escritorio.FallarPlacement(a);
    motor.OcultarVentanas();
    ASSERT_EQ(motor.VentanasGuardadas().at(1).Estado, 0);
    motor.MostrarVentanas();
    EXPECT_TRUE(Visible(a));
}

TEST_F(Pasada, LaRestauracionCuentaCadaRegistroMasAllaDeDieciseisBits) {
    std::vector<Handle> todas;
    for (int i = 0; i < 33000; ++i) todas.push_back(escritorio.Abrir(L"v"));
    motor.ActualizarLista();
    lista.Marcar(0, true);
    motor.OcultarVentanas();
    ASSERT_GT(motor.VentanasGuardadas().size(), 32768u);
    motor.MostrarVentanas();
    for (Handle h : todas) ASSERT_TRUE(Visible(h)) << h;
}


// A window of an elevated program behind an ordinary one: the system may
// refuse Tesk its hides, its shows, or both.
class Elevada : public Banco {
protected:
    Elevada() {
        a = escritorio.Abrir(L"A");
        elevada = escritorio.Abrir(L"Administrador", kSwShowMaximized);
        motor.ActualizarLista();
        escritorio.Reordenar({barra, anfitrion.panel, a, elevada, fondo});
        escritorio.OlvidarLlamadas();
    }
    using Llamadas = std::vector<std::pair<Handle, std::int32_t>>;
    using Entradas = std::map<Handle, std::int32_t>;
    Handle a = 0, elevada = 0;
};

TEST_F(Elevada, LaQueNoSeDejaOcultarSigueEnPantallaYNoCuentaComoOculta) {
    escritorio.Rechazar(elevada, true, false);
    escritorio.diferir = true;  // what is taken lands at the pass's first wait
    bool anotadaAlPedir = false;
    escritorio.alPedir = [&](Handle h, std::int32_t) {
        if (h == elevada) anotadaAlPedir = resguardo.Contiene(h);
    };
    motor.OcultarVentanas();
    EXPECT_TRUE(anotadaAlPedir) << "asked to hide before it was written down";
    EXPECT_EQ(escritorio.Rechazos(), (Llamadas{{elevada, kSwHide}}));
    EXPECT_TRUE(Visible(elevada));
    EXPECT_FALSE(escritorio.EnVuelo(elevada));
    EXPECT_EQ(resguardo.entradas, (Entradas{{a, kSwShowNa}})) << "the refused window stayed in the record";
    EXPECT_EQ(anfitrion.reloj, AnfitrionFalso::kPasoReloj) << "the pass waited beyond the hides it was given";
    EXPECT_EQ(motor.UltimaOculta(), a) << "the refused window counts as the last one hidden";
    ASSERT_TRUE(motor.Oculto());

    // Its own program hides it meanwhile: not the restore's to show.
    escritorio.FijarVisible(elevada, false);
    escritorio.OlvidarLlamadas();
    PulsarTecla();
    EXPECT_EQ(escritorio.Llamadas(), (Llamadas{{a, kSwShowNa}}));
    EXPECT_TRUE(escritorio.Rechazos().empty());
    EXPECT_EQ(escritorio.Frente(), a);
    EXPECT_TRUE(resguardo.entradas.empty());

    // Nothing but refusals: nothing is concealed, and the next press hides
    // again.
    escritorio.FijarVisible(elevada, true);
    escritorio.Rechazar(a, true, false);
    PulsarTecla();
    EXPECT_EQ(escritorio.Rechazos().size(), 2u);
    EXPECT_FALSE(motor.Oculto());
    EXPECT_EQ(motor.UltimaOculta(), -1);
    EXPECT_TRUE(anfitrion.IconoPresente());
    EXPECT_TRUE(resguardo.entradas.empty());
    escritorio.Rechazar(a, false, false);
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(motor.Oculto());
}

TEST_F(Elevada, LaQueNoSeDejaMostrarQuedaAnotadaYSePideOtraVezHastaQueVuelve) {
    PulsarTecla();
    ASSERT_EQ(motor.UltimaOculta(), elevada);
    escritorio.Rechazar(elevada, false, true);
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(anfitrion.IconoPresente());
    EXPECT_TRUE(Visible(a));
    EXPECT_FALSE(Visible(elevada));
    EXPECT_EQ(resguardo.entradas, (Entradas{{elevada, kSwShowNa}})) << "left for the watcher to bring back";
    EXPECT_TRUE(escritorio.PedidosAlFrente().empty()) << "the keyboard was sent to a window nobody sees";

    // A new hide pass starts its records afresh: the refused window stays
    // written down, and its restore asks it again.
    PulsarTecla();
    EXPECT_TRUE(resguardo.Contiene(elevada));
    escritorio.OlvidarLlamadas();
    PulsarTecla();
    EXPECT_EQ(escritorio.Rechazos(), (Llamadas{{elevada, kSwShowNa}}));
    EXPECT_EQ(escritorio.Frente(), a);
    EXPECT_TRUE(resguardo.Contiene(elevada));

    // Let through: the next restore brings it back in its state.
    escritorio.Rechazar(elevada, false, false);
    PulsarTecla();
    PulsarTecla();
    EXPECT_TRUE(Visible(elevada));
    EXPECT_EQ(escritorio.Datos(elevada).showCmd, kSwShowMaximized);
    EXPECT_TRUE(resguardo.entradas.empty());

    // Refused again, then let through before the program ends: the end asks
    // it once more.
    PulsarTecla();
    escritorio.Rechazar(elevada, false, true);
    PulsarTecla();
    escritorio.Rechazar(elevada, false, false);
    motor.RestaurarAntesDeCerrar();
    EXPECT_TRUE(Visible(elevada));
    EXPECT_EQ(escritorio.Datos(elevada).showCmd, kSwShowMaximized);
    EXPECT_TRUE(resguardo.entradas.empty());
}

TEST_F(Elevada, LaQueSuProgramaMostroMientrasTantoYaNoEsDeTesk) {
    PulsarTecla();
    escritorio.Rechazar(elevada, false, true);
    PulsarTecla();
    ASSERT_TRUE(resguardo.Contiene(elevada));
    // Its own program shows it; the user keeps it on screen.
    escritorio.FijarVisible(elevada, true);
    motor.ActualizarLista();
    MarcarTitulo(L"Administrador");
    PulsarTecla();
    EXPECT_TRUE(Visible(elevada));
    EXPECT_EQ(resguardo.entradas, (Entradas{{a, kSwShowNa}})) << "a window back on screen stayed in the record";
    // Its own program hides it again: neither the restore nor the end asks it.
    escritorio.FijarVisible(elevada, false);
    escritorio.OlvidarLlamadas();
    PulsarTecla();
    motor.RestaurarAntesDeCerrar();
    EXPECT_EQ(escritorio.Llamadas(), (Llamadas{{a, kSwShowNa}}));
    EXPECT_TRUE(escritorio.Rechazos().empty());
    EXPECT_TRUE(resguardo.entradas.empty());
}


// Cloaked windows at the back of the Z order, as Windows keeps them: a
// suspended app's frame and a window of another virtual desktop, both
// titled, behind two ordinary windows.
class Encubiertas : public Banco {
protected:
    Encubiertas() {
        a = escritorio.Abrir(L"A");
        b = escritorio.Abrir(L"B", kSwShowMaximized);
        app = escritorio.Abrir(L"Calculadora");
        otroEscritorio = escritorio.Abrir(L"Otro escritorio", kSwShowMinimized);
        escritorio.Encubrir(app);
        escritorio.Encubrir(otroEscritorio);
        escritorio.Reordenar({barra, anfitrion.panel, a, b, app, otroEscritorio, fondo});
        motor.ActualizarLista();
    }
    std::vector<std::wstring> Listadas() const {
        std::vector<std::wstring> textos;
        for (int i = 0; i < lista.Cantidad(); ++i) textos.push_back(lista.Texto(i));
        return textos;
    }
    Handle a = 0, b = 0, app = 0, otroEscritorio = 0;
};

TEST_F(Encubiertas, NuncaSeListanYSeOcultanEnAmbosModos) {
    EXPECT_EQ(Listadas(), (std::vector<std::wstring>{L"A", L"B"}));
    for (int modo = 0; modo < 2; ++modo) {
        // Everything but the marked, nothing marked; then only the marked, A.
        const Handle ultima = modo == 0 ? b : a;
        motor.OcultarVentanas();
        EXPECT_FALSE(Visible(ultima)) << "mode " << modo;
        EXPECT_FALSE(Visible(app) || Visible(otroEscritorio)) << "mode " << modo;
        EXPECT_EQ(motor.UltimaOculta(), ultima) << "a cloaked window counts as the last one hidden";
        motor.MostrarVentanas();
        EXPECT_TRUE(Visible(a) && Visible(b) && Visible(app) && Visible(otroEscritorio));
        EXPECT_EQ(escritorio.Datos(otroEscritorio).showCmd, kSwShowMinimized);
        EXPECT_EQ(escritorio.Frente(), ultima);
        motor.CambiarModo();
        MarcarTitulo(L"A");
    }
    // Drawn again (the user switched desktops): listed from the next refresh.
    escritorio.Encubrir(otroEscritorio, false);
    motor.ActualizarLista();
    auto listadas = Listadas();
    std::sort(listadas.begin(), listadas.end());
    EXPECT_EQ(listadas, (std::vector<std::wstring>{L"A", L"B", L"Otro escritorio"}));
}

TEST_F(Encubiertas, SiSoloSeOcultanEncubiertasNadaVieneAlFrente) {
    motor.CambiarModo();  // hide only the marked, and none is
    // The newcomer opened since the refresh is cloaked too.
    const Handle nueva = escritorio.Abrir(L"Nueva");
    escritorio.Encubrir(nueva);
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    EXPECT_TRUE(Visible(a) && Visible(b));
    EXPECT_FALSE(Visible(app) || Visible(otroEscritorio) || Visible(nueva));
    EXPECT_EQ(motor.UltimaOculta(), -1);
    escritorio.TomarFrente(a);
    PulsarTecla();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Visible(app) && Visible(otroEscritorio) && Visible(nueva));
    EXPECT_EQ(escritorio.Datos(otroEscritorio).showCmd, kSwShowMinimized);
    // Nothing brought forward, and no watch either: the foreground left to
    // nobody stays so.
    escritorio.TomarFrente(0);
    for (int tick = 0; tick < 3; ++tick) {
        anfitrion.reloj += 100;
        motor.tmrTempo_Timer();
    }
    EXPECT_TRUE(escritorio.PedidosAlFrente().empty());
    EXPECT_EQ(escritorio.Frente(), 0);
}

}  // namespace
}  // namespace tesk::prueba
