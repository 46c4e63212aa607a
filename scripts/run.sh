#!/usr/bin/env bash
# Sets up the machine, builds tesk.exe and starts it under Wine: on your
# display when there is one, otherwise in a private X display beside a few
# sample windows, saving a screenshot of the panel.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j"$(nproc)" --target tesk ventanas_prueba

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Tesk is running: F6 conceals and restores, the close image on the panel ends it."
  # Your display has a window manager: Wine hands its windows to it.
  bash scripts/wine.sh build/windows/wineprefix 96 si build/windows/panel/tesk.exe
else
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash scripts/wine.sh build/windows/wineprefix 96 no scripts/run-xvfb.sh build/windows
fi
