#!/usr/bin/env bash
# Sets up the machine, builds both builds and runs every test: the engine's
# unit tests natively, the Windows-side and end-to-end tests under Wine,
# each test program in a Wine prefix and an X display of its own.
#
# The Windows build comes first, as the tests under Wine wait for it; they
# then run side by side while the native build and its unit tests run
# beside them at the lowest priority, on what processor time the tests
# under Wine leave (they spend most of theirs waiting for windows). Each
# stage says how long it took, and the command ends with all the times.
set -euo pipefail
cd "$(dirname "$0")/.."

# Test programs under Wine at once: each spends most of its time waiting.
paralelas="${TESK_PARALELAS:-2}"

tiempos=()
inicio_total=$SECONDS
# Runs a stage, timed; the time goes to the summary as well.
etapa() {
  local nombre="$1"
  shift
  echo "== $nombre"
  local inicio=$SECONDS resultado=0
  "$@" || resultado=$?
  local duracion=$((SECONDS - inicio))
  tiempos+=("$(printf '%5d s  %s' "$duracion" "$nombre")")
  echo "== $nombre: ${duracion} s"
  return "$resultado"
}

# A build folder made by another generator is made again with Ninja.
configurar() {
  local carpeta="$1"
  shift
  if [ -f "$carpeta/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$carpeta/CMakeCache.txt"; then
    rm -rf "$carpeta/CMakeCache.txt" "$carpeta/CMakeFiles"
  fi
  cmake -S . -B "$carpeta" -G Ninja "$@" >/dev/null
}

# The native build's stage runs in the background in a process group of
# its own, so that a command that stops early stops it too.
nativa=""
terminar() {
  if [ -n "$nativa" ] && kill -0 "$nativa" 2>/dev/null; then
    kill -- -"$nativa" 2>/dev/null || true
    wait "$nativa" 2>/dev/null || true
  fi
}
trap terminar EXIT

etapa "set-up" bash scripts/setup.sh

configurar_todo() {
  # The sanitizers' build of the unit tests: lightly optimised, with line
  # numbers for the sanitizers' reports.
  configurar build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
  configurar build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
}
etapa "configure both builds" configurar_todo

# The Wine prefix every test's prefix is copied from, made while the
# Windows build compiles.
registro_modelo=build/windows/wineprefix-modelo.log
TESK_PANTALLA=propia bash scripts/wine.sh build/windows/wineprefix-modelo 96 no >"$registro_modelo" 2>&1 &
modelo=$!

etapa "windows build: the program, the test windows and the tests" cmake --build build/windows -j"$(nproc)"

esperar_modelo() {
  wait "$modelo" || { cat "$registro_modelo"; return 1; }
}
etapa "wine prefix to copy (made during the build)" esperar_modelo

registro_nativas=build/native/pruebas.log
mkdir -p build/native
nativas() {
  local inicio=$SECONDS
  cmake --build build/native -j"$(nproc)"
  echo "== native build: $((SECONDS - inicio)) s"
  local medio=$SECONDS
  ctest --test-dir build/native -j"$(nproc)" --output-on-failure
  echo "== native unit tests: $((SECONDS - medio)) s"
}
set -m
nice -n 19 bash -c "$(declare -f nativas); set -euo pipefail; nativas" >"$registro_nativas" 2>&1 &
nativa=$!
set +m
echo "== native build and unit tests: started beside the tests under Wine (output below when done)"

estado=0
etapa "tests under wine, $paralelas at a time" \
  ctest --test-dir build/windows -j"$paralelas" --output-on-failure || estado=$?

esperar_nativas() {
  local resultado=0
  wait "$nativa" || resultado=$?
  nativa=""
  cat "$registro_nativas"
  return "$resultado"
}
etapa "native build and unit tests (the rest of them, after the tests under wine)" esperar_nativas || estado=$?

echo "== times"
printf '%s\n' "${tiempos[@]}"
grep -h '^== native' "$registro_nativas" | sed 's/^== /        (/; s/$/)/' || true
printf '%5d s  all\n' "$((SECONDS - inicio_total))"
exit "$estado"
