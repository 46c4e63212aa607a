#!/usr/bin/env bash
# Runs the Windows build's tests under Wine. Expects a display (xvfb-run gives
# one). Stops the prefix's wineserver however the tests end.
set -euo pipefail
build="${1:?build folder}"; shift
source "$(dirname "$0")/wine-env.sh" "$build"
trap wine_parar EXIT
wine_iniciar
ctest --test-dir "$build" --output-on-failure "$@"
