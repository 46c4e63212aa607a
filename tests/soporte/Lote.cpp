#include "tests/soporte/Lote.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Protocolo.h"
#include "tests/soporte/Rutas.h"

namespace tesk::fiabilidad {

namespace {

// Windows per ventanas_prueba.exe: few enough for the program to open them
// all within the wait for its report under Wine, and a command line well
// inside the 32,767 characters it may have.
constexpr std::size_t kPorLote = 100;
constexpr std::size_t kArgumentosPorVentana = 2;
constexpr std::size_t kCadaMinimizada = 3;
constexpr std::size_t kCadaMaximizada = 5;
// A pass over a thousand windows takes a while under Wine.
constexpr std::chrono::milliseconds kEsperaPasada{60000};

bool EsOpcionVentana(const std::wstring& argumento) { return argumento == prueba::kOpcionVentana; }

}  // namespace

std::vector<std::wstring> Muchas(const std::wstring& prefijo, std::size_t cuantas, bool mezclar) {
    std::vector<std::wstring> argumentos;
    for (std::size_t i = 1; i <= cuantas; ++i) {
        wchar_t numero[16];
        std::swprintf(numero, std::size(numero), L" %04zu", i);
        argumentos.push_back(prueba::kOpcionVentana);
        argumentos.push_back(prefijo + numero);
        if (!mezclar) continue;
        if (i % kCadaMinimizada == 1) {
            argumentos.push_back(prueba::kOpcionMin);
        } else if (i % kCadaMaximizada == 2) {
            argumentos.push_back(prueba::kOpcionMax);
        }
    }
    return argumentos;
}

std::vector<std::wstring> Una(const std::wstring& titulo, const std::vector<std::wstring>& modificadores) {
    return Juntar({prueba::kOpcionVentana, titulo}, modificadores);
}

std::vector<std::wstring> Juntar(std::vector<std::wstring> unos, const std::vector<std::wstring>& otros) {
    unos.insert(unos.end(), otros.begin(), otros.end());
    return unos;
}

std::vector<HWND> Menos(std::vector<HWND> ventanas, HWND sin) {
    ventanas.erase(std::remove(ventanas.begin(), ventanas.end(), sin), ventanas.end());
    return ventanas;
}

std::map<HWND, e2e::EstadoVentana> Menos(std::map<HWND, e2e::EstadoVentana> estados, HWND sin) {
    estados.erase(sin);
    return estados;
}

void Lote::AbrirLotes(const std::vector<std::wstring>& argumentos) {
    const std::wstring programa = e2e::RutaDe(e2e::kVariableVentanasPrueba);
    auto inicio = argumentos.begin();
    while (inicio != argumentos.end()) {
        // A batch ends before the --ventana that would make it one too many.
        auto fin = inicio;
        std::size_t ventanas = 0;
        while (fin != argumentos.end()) {
            if (EsOpcionVentana(*fin) && ++ventanas > kPorLote) break;
            fin += EsOpcionVentana(*fin) ? kArgumentosPorVentana : 1;
        }
        lotes_.push_back(
            std::make_unique<prueba::VentanasPrueba>(programa, std::vector<std::wstring>(inicio, fin)));
        const auto& nuevas = lotes_.back()->Ventanas();
        todas_.insert(todas_.end(), nuevas.begin(), nuevas.end());
        inicio = fin;
    }
}

HWND Lote::AbrirConFoco(const std::vector<std::wstring>& otras) {
    const std::size_t primera = todas_.size();
    AbrirLotes(Juntar(Una(kFoco), otras));
    return todas_.at(primera);
}

HWND Lote::ArrancarConFoco(const std::vector<std::wstring>& otras, DWORD limitesTrabajo) {
    const HWND foco = AbrirConFoco(otras);
    ArrancarTesk(limitesTrabajo);
    MarcarFoco();
    return foco;
}

void Lote::MarcarEntrada(const std::wstring& texto) {
    const int fila = ElPanel().Fila(texto);
    ASSERT_GE(fila, 0) << "no entry " << testing::PrintToString(texto);
    ElPanel().Marcar(fila, true);
    ASSERT_TRUE(ElPanel().Marcada(fila));
}

testing::AssertionResult Lote::Ocultar(HWND foco, const std::vector<HWND>& seOcultan) {
    Pulsar(VK_F6, foco);
    const auto visibles = [&] {
        return static_cast<std::size_t>(
            std::count_if(seOcultan.begin(), seOcultan.end(), [](HWND v) { return IsWindowVisible(v); }));
    };
    if (prueba::EsperarHasta([&] { return e2e::IconosTesk().empty() && visibles() == 0; }, kEsperaPasada)) {
        // The pass may still be confirming its last calls; the next press
        // is made once it has ended (a press during a pass is left to the
        // key's state, which a busy machine may already have lost).
        DejarPasarTicks(1);
        return testing::AssertionSuccess();
    }
    // What was left, so that a failure says whether the press was seen at all.
    auto fallo = testing::AssertionFailure();
    fallo << "after the press: " << visibles() << " of " << seOcultan.size() << " windows still visible; the icon "
          << (e2e::IconosTesk().empty() ? "gone" : "still there") << "; tesk.exe "
          << (Tesk().Vivo() ? "running" : "ended");
    for (HWND v : seOcultan) {
        if (!IsWindowVisible(v)) continue;
        fallo << "; first still visible: " << testing::PrintToString(e2e::TituloDe(v));
        break;
    }
    return fallo;
}

bool Lote::Restaurar(HWND foco) {
    Pulsar(VK_F6, foco);
    return prueba::EsperarHasta([] { return e2e::IconoTesk() != nullptr; }, kEsperaPasada);
}

std::string Lote::Diferencias(const std::map<HWND, e2e::EstadoVentana>& antes) {
    std::ostringstream texto;
    for (const auto& [ventana, estado] : antes) {
        const e2e::EstadoVentana ahora = e2e::EstadoDe(ventana);
        if (ahora == estado) continue;
        texto << "window " << ventana << " \"" << testing::PrintToString(e2e::TituloDe(ventana)) << "\": was "
              << (estado.visible ? "visible" : "hidden") << "/" << estado.showCmd << ", now "
              << (ahora.visible ? "visible" : "hidden") << "/" << ahora.showCmd << "\n";
    }
    return texto.str();
}

bool Lote::EsperarEstados(const std::map<HWND, e2e::EstadoVentana>& antes) {
    return prueba::EsperarHasta(
        [&] {
            return std::all_of(antes.begin(), antes.end(),
                               [](const auto& par) { return e2e::EstadoDe(par.first) == par.second; });
        },
        kEsperaPasada);
}

void Lote::TearDown() {
    // tesk.exe first, so that what it conceals comes back before the
    // windows' programs end.
    Escena::TearDown();
    lotes_.clear();
    todas_.clear();
}

}  // namespace tesk::fiabilidad
