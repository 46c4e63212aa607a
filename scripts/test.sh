#!/usr/bin/env bash
# Sets up the machine, builds both builds and runs every test: the engine's
# unit tests natively, then the Windows-side and end-to-end tests under Wine
# in a private X display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== native build: engine and unit tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j"$(nproc)"
# The unit tests run while the Windows build compiles (the model-based test
# alone takes a minute or two); what they say is shown once the build is
# done, and a failure of theirs fails the command all the same.
# In a process group of its own, so that a command that stops early stops
# the test program ctest is running as well.
registro_nativas=build/native/pruebas.log
set -m
ctest --test-dir build/native --output-on-failure >"$registro_nativas" 2>&1 &
nativas=$!
set +m
terminar() {
  if kill -0 "$nativas" 2>/dev/null; then
    kill -- -"$nativas" 2>/dev/null || true
    wait "$nativas" 2>/dev/null || true
  fi
}
trap terminar EXIT

echo "== windows build: desktop boundary, program and their tests"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j"$(nproc)"

echo "== native unit tests"
estado=0
wait "$nativas" || estado=$?
cat "$registro_nativas"
[ "$estado" -eq 0 ] || exit "$estado"

# Each test runs through scripts/wine.sh, in a prefix of its own that it
# stops when it ends.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/windows --output-on-failure
