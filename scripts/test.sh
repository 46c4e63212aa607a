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
ctest --test-dir build/native --output-on-failure

echo "== windows build: desktop boundary, program and their tests"
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j"$(nproc)"
# Each test runs through scripts/wine.sh, in a prefix of its own that it
# stops when it ends.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/windows --output-on-failure
