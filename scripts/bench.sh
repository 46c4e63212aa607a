#!/usr/bin/env bash
# Measures Tesk and writes its figures, each beside its floor from the same
# run, to build/bench/figures, then regenerates docs/performance.md and
# docs/performance.png from them:
#   - the engine on the stand-in desktop (Google Benchmark, native build);
#   - on Wine's desktop in a private X display: key to last window hidden
#     and shown for 10, 50 and 200 windows beside a bare loop of the same
#     calls, idle CPU of tesk.exe and of the wineserver, resident size and
#     start-up beside a minimal window program, and the size of tesk.exe;
#   - a desktop of 2,000 windows: the list filled, both passes timed;
#   - the long hide and restore run over 50 windows (TESK_CICLOS cycles,
#     2,000 unless told) with the program's first and last memory and the
#     objects and handles it holds.
#   scripts/bench.sh
# TESK_CICLOS=N changes the number of cycles of the long run; TESK_SIN_CARGA=1
# leaves out the 2,000-window desktop (a quarter of an hour); TESK_PARTES
# ("pasadas", "reposo", "arranque", or a window count) limits the desktop
# figures to those parts, to try one out.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD

if [ "${1:-}" = "--en-pantalla" ]; then
  # The Wine part, inside xvfb-run, in a prefix of its own whose windows are
  # not handed to a window manager (there is none, and waiting for one costs
  # two seconds a hidden window), at 96 dpi; each program gets the prefix's
  # wineserver to itself, stopped when it ends.
  figuras="$2"
  b="$raiz/build/h-bench"
  prefijo="$b/wineprefix-bench"
  export TESK_EXE="$b/panel/tesk.exe"
  export TESK_VENTANAS_PRUEBA="$b/tests/soporte/ventanas_prueba.exe"
  export TESK_MINIMO="$b/bench/escritorio/minimo.exe"
  export TESK_ESPERA="$b/bench/escritorio/espera.exe"
  en_wine() { bash "$raiz/scripts/wine.sh" "$prefijo" 96 no "$@"; }
  echo "== desktop figures under Wine"
  en_wine "$b/bench/escritorio/escritorio_bench.exe" ${TESK_PARTES:-} \
    >"$figuras/escritorio.txt" 2>"$figuras/escritorio.err"
  echo "== the hide pass with 20 sessions playing, beside no audio at all"
  TESK_AUDIO_PRUEBA="$b/tests/soporte/mmdevapi.dll" bash "$raiz/scripts/wine.sh" "$b/wineprefix-bench-sonido" 96 no \
    "$b/bench/escritorio/escritorio_bench.exe" sonido >"$figuras/sonido.txt" 2>"$figuras/sonido.err" || true
  if [ -z "${TESK_SIN_CARGA:-}" ]; then
    echo "== a desktop of 2,000 windows"
    TESK_SUELO_CARGA=1 TESK_VENTANAS_CARGA=2000 en_wine "$b/tests/fiabilidad/tesk_fiabilidad.exe" \
      --gtest_filter='Carga.MuchasVentanas*' >"$figuras/carga.txt" 2>&1 || true
  else
    rm -f "$figuras/carga.txt"
  fi
  echo "== ${TESK_CICLOS:-2000} hide and restore cycles over 50 windows"
  TESK_CICLOS="${TESK_CICLOS:-2000}" en_wine "$b/tests/fiabilidad/tesk_fiabilidad.exe" \
    --gtest_filter='Carga.CiclosRepetidos*' >"$figuras/ciclos.txt" 2>&1 || true
  exit 0
fi

figuras="$raiz/build/bench/figures"
mkdir -p "$figuras"

# gnuplot draws the plot; installed here, once, as it is needed by nothing
# else.
if ! command -v gnuplot >/dev/null; then
  apt-get install -y --no-install-recommends gnuplot-nox >/dev/null \
    || { apt-get update >/dev/null && apt-get install -y --no-install-recommends gnuplot-nox >/dev/null; }
fi

echo "== engine on the stand-in desktop"
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTESK_SANITIZERS=OFF -DTESK_BENCH=ON >/dev/null
cmake --build build/bench -j2 --target motor_bench
build/bench/bench/motor_bench --benchmark_format=csv >"$figuras/motor.csv" 2>/dev/null

echo "== windows build"
cmake -S . -B build/h-bench -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTESK_BENCH=ON >/dev/null
cmake --build build/h-bench -j2 --target tesk ventanas_prueba mmdevapi_prueba tesk_fiabilidad escritorio_bench minimo espera
stat -c '%s' build/h-bench/panel/tesk.exe >"$figuras/tamano.txt"
stat -c '%s' build/h-bench/bench/escritorio/minimo.exe >>"$figuras/tamano.txt"

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --en-pantalla "$figuras"

echo "== report"
python3 bench/informe.py "$figuras" docs/performance.md docs/performance.png
echo "figures in $figuras; docs/performance.md and docs/performance.png regenerated"
