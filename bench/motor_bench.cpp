// The engine on the stand-in desktop: refresh, hide pass and restore pass for
// desktops of 10 to 10,000 windows, each beside its floor: a bare loop making
// the same desktop calls over the same windows with no engine around them.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/Lista.h"
#include "engine/Motor.h"
#include "tests/fake/AnfitrionFalso.h"
#include "tests/fake/EscritorioFalso.h"

namespace tesk::prueba {
namespace {

// A desktop of n titled windows, a third of them marked.
struct Escena {
    explicit Escena(int n) {
        escritorio.CrearShell();
        for (int i = 0; i < n; ++i)
            ventanas.push_back(escritorio.Abrir(L"Ventana de prueba número " + std::to_wstring(i)));
        motor.ActualizarLista();
        for (int i = 0; i < lista.Cantidad(); i += 3) lista.Marcar(i, true);
    }
    EscritorioFalso escritorio;
    AnfitrionFalso anfitrion{escritorio};
    ListaMemoria lista;
    Motor motor{escritorio, anfitrion, lista};
    std::vector<Handle> ventanas;
};

void Refresco(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) e.motor.ActualizarLista();
    state.SetComplexityN(state.range(0));
}

void SueloRefresco(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (Handle h = e.escritorio.PrimeraVentana(e.anfitrion.panel); h; h = e.escritorio.SiguienteVentana(h)) {
            benchmark::DoNotOptimize(e.escritorio.EsVisible(h));
            benchmark::DoNotOptimize(e.escritorio.Titulo(h));
            benchmark::DoNotOptimize(e.escritorio.EstadoMostrar(h));
        }
    }
    state.SetComplexityN(state.range(0));
}

void Ocultacion(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        e.motor.OcultarVentanas();
        state.PauseTiming();
        e.motor.MostrarVentanas();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void SueloOcultacion(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int i = 0;
        for (Handle h = e.escritorio.PrimeraVentana(e.anfitrion.panel); h; h = e.escritorio.SiguienteVentana(h)) {
            if (!e.escritorio.EsVisible(h)) continue;
            benchmark::DoNotOptimize(e.escritorio.Titulo(h));
            benchmark::DoNotOptimize(e.escritorio.EstadoMostrar(h));
            if (i++ % 3 != 0) e.escritorio.Mostrar(h, kSwHide);
        }
        state.PauseTiming();
        for (Handle h : e.ventanas) e.escritorio.Mostrar(h, kSwShowNormal);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void Restauracion(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        e.motor.OcultarVentanas();
        state.ResumeTiming();
        e.motor.MostrarVentanas();
    }
    state.SetComplexityN(state.range(0));
}

void SueloRestauracion(benchmark::State& state) {
    Escena e(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < e.ventanas.size(); ++i)
            if (i % 3 != 0) e.escritorio.Mostrar(e.ventanas[i], kSwHide);
        state.ResumeTiming();
        for (Handle h : e.ventanas) {
            if (!e.escritorio.EsVisible(h)) e.escritorio.Mostrar(h, kSwShowNormal);
        }
    }
    state.SetComplexityN(state.range(0));
}

#define TESK_TAMANOS RangeMultiplier(10)->Range(10, 10000)->Complexity(benchmark::oN)
BENCHMARK(Refresco)->TESK_TAMANOS;
BENCHMARK(SueloRefresco)->TESK_TAMANOS;
BENCHMARK(Ocultacion)->TESK_TAMANOS;
BENCHMARK(SueloOcultacion)->TESK_TAMANOS;
BENCHMARK(Restauracion)->TESK_TAMANOS;
BENCHMARK(SueloRestauracion)->TESK_TAMANOS;

}  // namespace
}  // namespace tesk::prueba

BENCHMARK_MAIN();
