#!/usr/bin/env bash
# Runs one end-to-end test program under Wine in a prefix of the tests' own,
# with its own wineserver, so that the desktop they drive is set up for them
# alone and the wineserver of the other Windows tests is never touched:
#   prefijo.sh PREFIX DPI PROGRAM.exe [ARGUMENTS...]
# The prefix is created on first use and kept. Its screen is set to DPI dots
# per inch, and its windows are not handed to an X window manager: there is
# none under Xvfb, and Wine waits two seconds for one every time a managed
# window is hidden. The prefix's wineserver, and with it every program the
# tests started, ends with this script however the tests end; runs that
# share a prefix must not overlap (ctest: RESOURCE_LOCK).
set -euo pipefail

prefijo="${1:?prefix folder}"
dpi="${2:?dpi}"
shift 2

export WINEPREFIX="$prefijo"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

terminar() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
trap terminar EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
wineserver -p

wine "$@" </dev/null
