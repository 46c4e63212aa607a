#include "tests/soporte/Escena.h"

#include <iostream>

#include "tests/soporte/BandejaWine.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Rutas.h"

namespace tesk::e2e {

namespace {

// Moves a click on the icon may bring: the pointer put there, and each of
// its two button events, which carry their own position.
constexpr long kMovimientosDeUnClic = 3;
constexpr std::chrono::milliseconds kReintentoFoco{250};
// How long a panel covered at start-up is given to come up on its own.
constexpr std::chrono::milliseconds kEsperaPanelTapado{10000};
// The clicks that synchronise with the panel land apart from each other and
// from the clicks that mark rows, so that no two of them make a double-click.
constexpr int kXSincronizar = 4 * kMargenFila;
constexpr int kSeparacionClics = 2 * kMargenFila;

}  // namespace

EstadoVentana EstadoDe(HWND ventana) {
    WINDOWPLACEMENT colocacion{};
    colocacion.length = sizeof(colocacion);
    GetWindowPlacement(ventana, &colocacion);
    return {IsWindowVisible(ventana) != FALSE, colocacion.showCmd};
}

std::map<HWND, EstadoVentana> EstadosDe(const std::vector<HWND>& ventanas) {
    std::map<HWND, EstadoVentana> estados;
    for (HWND ventana : ventanas) estados[ventana] = EstadoDe(ventana);
    return estados;
}

std::vector<HWND> VisiblesDelante() {
    std::vector<HWND> visibles;
    for (HWND ventana = GetTopWindow(nullptr); ventana != nullptr; ventana = GetWindow(ventana, GW_HWNDNEXT)) {
        if (IsWindowVisible(ventana)) visibles.push_back(ventana);
    }
    return visibles;
}

void Escena::SetUp() {
    // A copy left running by an earlier test would take this test's place.
    ASSERT_TRUE(IconosTesk().empty()) << "a Tesk icon is already in the tray";
    OlvidarPulsaciones();
    ApartarRaton();
}

void OlvidarPulsaciones() {
    for (int tecla = VK_F6; tecla <= VK_F12; ++tecla) GetAsyncKeyState(tecla);
}

void Escena::TearDown() {
    tesk_.reset();
    posteriores_.reset();
    ventanas_.reset();
}

void Escena::Arrancar(const std::vector<std::wstring>& argumentos) {
    ventanas_.emplace(RutaDe(kVariableVentanasPrueba), argumentos);
    ArrancarTesk();
}

void Escena::ArrancarTesk(DWORD limitesTrabajo) {
    tesk_.emplace(RutaDe(kVariableTesk), limitesTrabajo);
    // Watched closely, to catch the panel's very first frame.
    const auto fin = std::chrono::steady_clock::now() + prueba::kEsperaArranque;
    for (;;) {
        const Panel panel = Panel::DelProceso(tesk_->Id());
        if (panel && panel.Visible()) {
            alfaAlAparecer_ = panel.Alfa();
            panel_ = panel;
            break;
        }
        ASSERT_LT(std::chrono::steady_clock::now(), fin) << "tesk.exe showed no panel";
        SwitchToThread();
    }
    ASSERT_NE(panel_.CajaLista(), nullptr) << "the panel has no list box";
    ASSERT_TRUE(EsperarIcono(true)) << "tesk.exe added no icon";
    // Under a window manager the panel, shown without the focus it asked
    // for, may be stacked below the window that has it (openbox does so, at
    // times, with a maximised test window over the whole screen): a user
    // brings it up from its icon, and so does the test.
    if (ConGestorDeVentanas()) {
        const RECT rect = panel_.RectVentana();
        const POINT centro{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        if (!prueba::EsperarHasta([&] { return Alcanza(panel_.Hwnd(), centro); }, kEsperaPanelTapado)) {
            ClicEnIconoTesk();
            ASSERT_TRUE(EsperarPanel(false));
            ClicEnIconoTesk();
            ASSERT_TRUE(EsperarPanel(true));
        }
    }
}

bool ConGestorDeVentanas() {
    wchar_t valor[16] = {};
    const DWORD largo = GetEnvironmentVariableW(L"TESK_GESTION", valor, 16);
    return largo != 0 && largo < 16 && std::wstring(valor) != L"no";
}

prueba::VentanasPrueba& Escena::AbrirPosteriores(const std::vector<std::wstring>& argumentos) {
    return posteriores_.emplace(RutaDe(kVariableVentanasPrueba), argumentos);
}

void Escena::Enfocar(HWND ventana) {
    // Asked again now and then: the display's own focus changes, reported
    // late to the program that had the focus, can take the foreground away
    // once more.
    const auto fin = std::chrono::steady_clock::now() + prueba::kEsperaMaxima;
    while (GetForegroundWindow() != ventana) {
        ASSERT_LT(std::chrono::steady_clock::now(), fin)
            << "the window to type into could not be focused; the foreground is "
            << testing::PrintToString(TituloDe(GetForegroundWindow()));
        SetForegroundWindow(ventana);
        prueba::EsperarHasta([&] { return GetForegroundWindow() == ventana; }, kReintentoFoco);
    }
}

void Escena::Pulsar(WORD tecla, HWND foco) {
    Enfocar(foco);
    prueba::PulsarYSoltar(tecla);
}

void Escena::DejarPasarTicks(long cuantos) {
    // Counted by the program itself: a tick is counted once it has been
    // handled to its end with no pass running, so by the last of these every
    // press made before the first has been seen and acted upon. A program
    // that has ended does nothing more either.
    const auto terminado = [&] { return !tesk_ || !tesk_->Vivo(); };
    if (terminado()) return;
    const std::optional<long> desde = panel_.Ticks();
    if (!desde) {
        ASSERT_TRUE(prueba::EsperarHasta(terminado)) << "the panel does not answer";
        return;
    }
    ASSERT_TRUE(prueba::EsperarHasta([&] {
        const std::optional<long> ahora = panel_.Ticks();
        return (ahora && *ahora >= *desde + cuantos) || terminado();
    })) << "the program's timer stopped";
}

bool Escena::EsperarIcono(bool presente) {
    return prueba::EsperarHasta([&] { return presente ? IconoTesk() != nullptr : IconosTesk().empty(); });
}

bool Escena::EsperarVisibles(const std::vector<HWND>& ventanas, bool visibles) {
    return prueba::EsperarHasta([&] {
        for (HWND ventana : ventanas) {
            if ((IsWindowVisible(ventana) != FALSE) != visibles) return false;
        }
        return true;
    });
}

bool Escena::EsperarPanel(bool visible) {
    return prueba::EsperarHasta([&] { return panel_.Visible() == visible; });
}

void Escena::MarcarConClic(const std::wstring& texto) {
    const int fila = panel_.Fila(texto);
    ASSERT_GE(fila, 0) << "no entry " << testing::PrintToString(texto);
    ASSERT_FALSE(panel_.Marcada(fila));
    panel_.ClicEnFila(fila);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return panel_.Marcada(fila); }))
        << "a click on its row did not mark " << testing::PrintToString(texto);
}

void Escena::Sincronizar() {
    for (const int x : {kXSincronizar, kXSincronizar + kSeparacionClics}) {
        const bool marcada = panel_.Marcada(0);
        panel_.ClicEnFila(0, x);
        ASSERT_TRUE(prueba::EsperarHasta([&] { return panel_.Marcada(0) != marcada; }))
            << "the panel did not answer a click on its list";
    }
}

void Escena::ClicEnIconoTesk(bool derecho) {
    const auto avisos = [&] { return panel_.Preguntar(TipoRecurso::avisosIcono); };
    const auto movimientos = [&] { return panel_.Preguntar(TipoRecurso::movimientosIcono); };
    const std::optional<long> antes = avisos();
    const std::optional<long> movidos = movimientos();
    ASSERT_TRUE(antes && movidos) << "the panel did not say what its icon has reported";
    // The tray reports the icon's events to Tesk in the order it had them.
    // Every move the test makes over the icon is reported at most twice
    // (once more when the display follows the pointer there), and a click
    // brings up to three of its own. So once Tesk has had more moves than
    // twice what was sent until the click, one sent after it has arrived:
    // the click, if the tray had it, arrived before.
    long enviados = 0;
    for (int intento = 1;; ++intento) {
        const HWND icono = IconoTesk();
        ASSERT_NE(icono, nullptr) << "no Tesk icon to click";
        const POINT centro = ClicEnIcono(icono, derecho);
        enviados += kMovimientosDeUnClic;
        const long hastaElClic = enviados;
        const bool respondio = prueba::EsperarHasta([&] {
            if (avisos().value_or(*antes) > *antes) return true;
            if (movimientos().value_or(*movidos) - *movidos > 2 * hastaElClic) return true;
            prueba::Mover({centro.x + (enviados % 2 == 0 ? 1 : -1), centro.y});
            ++enviados;
            return false;
        });
        ApartarRaton();
        if (avisos().value_or(*antes) > *antes) return;
        // Nothing at all reached Tesk: a fault, unless the icon is no longer
        // where it was clicked (the window manager moved the tray after it
        // mapped it again), when the click went elsewhere and is sent again.
        ASSERT_TRUE(respondio || !Alcanza(icono, centro))
            << "neither the click on the icon nor the moves after it reached Tesk; " << LoQueHayEn(centro);
        ASSERT_LT(intento, kIntentosClic) << "the click on the icon was lost " << intento << " times; "
                                           << LoQueHayEn(centro);
        std::cout << "[ lost     ] a click on the icon never reached Tesk; sent again (" << LoQueHayEn(centro) << ")"
                  << std::endl;
    }
}

}  // namespace tesk::e2e
