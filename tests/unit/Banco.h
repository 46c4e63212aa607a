// A desktop with its taskbar and desktop window, a panel hosting the engine,
// the list in memory, the record shared with the watching process and the
// audio services (no session until a test opens one): what
// every engine test starts from.
#pragma once

#include <gtest/gtest.h>

#include "engine/Lista.h"
#include "engine/Motor.h"
#include "tests/fake/AnfitrionFalso.h"
#include "tests/fake/AudioFalso.h"
#include "tests/fake/EscritorioFalso.h"
#include "tests/fake/ResguardoFalso.h"

namespace tesk::prueba {

class Banco : public ::testing::Test {
protected:
    Banco() : barra(escritorio.CrearShell()), fondo(escritorio.FondoEscritorio()) {}

    // Marks the list entries whose text is one of these.
    void MarcarTitulo(const std::wstring& titulo) {
        for (int i = 0; i < lista.Cantidad(); ++i)
            if (lista.Texto(i) == titulo) lista.Marcar(i, true);
    }

    // A full key press between two ticks: down at one tick, up at the next.
    void PulsarTecla() {
        escritorio.Presionar(motor.Tecla());
        motor.tmrTempo_Timer();
        escritorio.Soltar(motor.Tecla());
        motor.tmrTempo_Timer();
    }

    bool Visible(Handle h) { return escritorio.EsVisible(h); }

    EscritorioFalso escritorio;
    Handle barra;
    Handle fondo;
    AnfitrionFalso anfitrion{escritorio};
    ListaMemoria lista;
    ResguardoFalso resguardo;
    AudioFalso audio;
    Motor motor{escritorio, anfitrion, lista, resguardo, audio};
};

}  // namespace tesk::prueba
