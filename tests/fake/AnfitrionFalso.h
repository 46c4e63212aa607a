// A stand-in for the panel that hosts the engine: a panel window on the
// stand-in desktop, its tray icon kept by the real tray procedures, and an
// event queue that the restore pass drains when it lets events run, and a
// clock that moves only while the engine waits for its calls to land.
#pragma once

#include <deque>
#include <functional>

#include "engine/Anfitrion.h"
#include "tests/fake/EscritorioFalso.h"
#include "tray/Bandeja.h"

namespace tesk::prueba {

inline constexpr IconoId kIconoPanel = 0x51;

class AnfitrionFalso final : public Anfitrion {
public:
    explicit AnfitrionFalso(EscritorioFalso& escritorio)
        : escritorio_(escritorio), bandeja(escritorio), panel(escritorio.Abrir(L"Tesk")) {
        bandeja.AgregarIconoBandeja(panel, kIconoPanel);
    }

    Handle VentanaPropia() override { return panel; }
    void OcultarPanel() override { escritorio_.FijarVisible(panel, false); }
    void QuitarIconoBandeja() override { bandeja.QuitarIconoBandeja(); }
    void RestaurarIconoBandeja() override { bandeja.AgregarIconoBandeja(panel, kIconoPanel); }
    void ProcesarEventos() override {
        ++eventosProcesados;
        AtenderCola();
    }

    // A short wait for events: the windows' threads take every call held
    // for them (or what alEsperar lets land), then the queued events run.
    void EsperarEventos() override {
        ++esperas;
        reloj += kPasoReloj;
        if (alEsperar)
            alEsperar();
        else
            escritorio_.EntregarTodo();
        AtenderCola();
    }
    std::int64_t Reloj() override { return reloj; }

    void AtenderCola() {
        while (!cola.empty()) {
            auto evento = std::move(cola.front());
            cola.pop_front();
            evento();
        }
    }

    bool IconoPresente() const { return escritorio_.Iconos().count({panel, kIdIcono}) != 0; }

    EscritorioFalso& escritorio_;
    Bandeja bandeja;
    Handle panel;
    std::deque<std::function<void()>> cola;
    int eventosProcesados = 0;
    static constexpr std::int64_t kPasoReloj = 10;
    std::int64_t reloj = 0;
    int esperas = 0;
    std::function<void()> alEsperar;
};

}  // namespace tesk::prueba
