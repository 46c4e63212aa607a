#include "engine/Frente.h"

#include <exception>
#include <utility>

#include "engine/Recorrido.h"

namespace tesk {

namespace {

// How long, once the window a restore brings to the front is on screen, it
// is kept there: this time and at least this many of the timer's ticks.
constexpr std::int64_t kVigilanciaFrenteMs = 2000;
constexpr std::int32_t kTicksVigilanciaFrente = 20;
// How long a window still on its way to the screen is waited for, to bring
// it to the front when it gets there.
constexpr std::int64_t kLlegadaFrenteMs = 10000;
constexpr std::int32_t kTicksLlegadaFrente = 100;

}  // namespace

GuardiaFrente::GuardiaFrente(Escritorio& escritorio, Anfitrion& anfitrion)
    : escritorio_(escritorio), anfitrion_(anfitrion) {}

void GuardiaFrente::Empezar(Handle ventana, bool teclaAbajo) {
    frente_.reset();
    // A key already let go: what the user does from here on is theirs.
    std::optional<std::uint32_t> entrada;
    if (!teclaAbajo) entrada = escritorio_.UltimaEntrada();
    // The shell's surfaces are no program's windows coming forward: the
    // notification area's own window, shown again with the icon, may be on
    // screen already and still take the foreground from the restore.
    const Shell shell = BuscarShell(escritorio_);
    std::unordered_set<Handle> enPantalla;
    for (Handle h : OrdenZ(escritorio_, anfitrion_.VentanaPropia()))
        if (h != ventana && !shell.Contiene(h) && escritorio_.EsVisible(h)) enPantalla.insert(h);
    // A window still on its way to the screen comes to the front once it is
    // there (the keyboard must not go to a window nobody sees).
    const bool enCamino = escritorio_.EnVuelo(ventana);
    const std::int64_t ahora = anfitrion_.Reloj();
    const Plazo plazo = enCamino ? Plazo{ahora + kLlegadaFrenteMs, kTicksLlegadaFrente}
                                 : Plazo{ahora + kVigilanciaFrenteMs, kTicksVigilanciaFrente};
    frente_ = Frente{ventana, enCamino, plazo, entrada, std::move(enPantalla)};
    if (!enCamino && !escritorio_.TraerAlFrente(ventana)) frente_.reset();
}

void GuardiaFrente::Vigilar(bool teclaAbajo) {
    if (!frente_) return;
    try {
        Seguir(teclaAbajo);
    } catch (const std::exception&) {
        frente_.reset();  // nothing here is worth a failure reaching the timer
    }
}

void GuardiaFrente::Seguir(bool teclaAbajo) {
    const std::int64_t ahora = anfitrion_.Reloj();
    if (frente_->plazo.Vencido(ahora)) {
        frente_.reset();
        return;
    }
    // The press that asked for the restore is input too: what the user does
    // next counts from the first tick after the key is let go.
    if (teclaAbajo) return;
    const std::uint32_t entrada = escritorio_.UltimaEntrada();
    if (!frente_->entrada) {
        frente_->entrada = entrada;
    } else if (entrada != *frente_->entrada) {
        frente_.reset();  // the user has moved on: the foreground is theirs
        return;
    }
    const Handle ventana = frente_->ventana;
    if (escritorio_.EnVuelo(ventana)) return;  // not on screen yet
    if (frente_->enCamino) {
        // On screen now: its time in front starts here.
        frente_->enCamino = false;
        frente_->plazo = Plazo{ahora + kVigilanciaFrenteMs, kTicksVigilanciaFrente};
    }
    if (!escritorio_.EsVisible(ventana)) {
        frente_.reset();  // closed or hidden by its program
        return;
    }
    const Handle alFrente = escritorio_.VentanaAlFrente();
    if (alFrente == ventana) return;
    if (alFrente != 0 && frente_->enPantalla.count(alFrente) != 0) {
        // A window that was already there came forward on its own: its
        // program's doing, not the restore's.
        frente_.reset();
        return;
    }
    // Nobody's, or a window that appeared since (the notification area's,
    // when the icon came back): taken back. A system that refuses is not
    // asked again.
    if (!escritorio_.TraerAlFrente(ventana)) frente_.reset();
}

}  // namespace tesk
