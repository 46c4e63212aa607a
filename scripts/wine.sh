#!/usr/bin/env bash
# Runs one Windows program under Wine in a prefix of its own, with its own
# wineserver, on the X display in $DISPLAY. Every Wine program of the
# project goes through here: the tests, the run command, the benchmarks and
# the screenshots.
#   scripts/wine.sh PREFIX DPI MANAGED PROGRAM.exe [ARGUMENTS...]
#   scripts/wine.sh PREFIX DPI MANAGED SCRIPT.sh [ARGUMENTS...]
# A shell script runs with bash in the prefix's environment, its server
# already up, and may start several programs with wine.
# PREFIX is created on first use and kept. DPI sets the screen's dots per
# inch (Wine reads it when its server starts). MANAGED is "si", "no" or
# "openbox": whether Wine hands its windows to an X window manager, and with
# "openbox" a real one (openbox) started on the display for the run and
# stopped after it. Without a window manager, Wine waits about two seconds
# for every managed framed window it hides, so runs with no window manager
# say "no"; the keys held with SendInput are dropped by Wine on focus
# changes of unmanaged windows, so the tests of held keys say "si".
# The prefix's wineserver, and with it every program started in the prefix,
# ends with this script however the program ends; two runs that share a
# prefix must not overlap (ctest: RESOURCE_LOCK). The program's standard
# input is empty; its output goes where this script's goes.
set -euo pipefail

prefijo="${1:?prefix folder}"
dpi="${2:?dpi}"
gestion="${3:?managed: si or no}"
shift 3
case "$gestion" in
  si | openbox) gestionadas=Y ;;
  no) gestionadas=N ;;
  *) echo "wine.sh: MANAGED is si, no or openbox, not '$gestion'" >&2; exit 2 ;;
esac

mkdir -p "$prefijo"
export WINEPREFIX="$(cd "$prefijo" && pwd)"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The tests learn whether a window manager handles the windows (it may
# activate a window it maps, by rules of its own).
export TESK_GESTION="$gestion"

gestor=""
terminar() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$gestor" ]; then
    kill "$gestor" 2>/dev/null || true
    wait "$gestor" 2>/dev/null || true
  fi
}
trap terminar EXIT

if [ "$gestion" = openbox ]; then
  # Up once it has claimed the screen; what it says goes beside the prefix,
  # and is shown if it ends or never claims the screen.
  registro_gestor="$WINEPREFIX/openbox.log"
  openbox --sm-disable >"$registro_gestor" 2>&1 &
  gestor=$!
  listo=""
  for _ in $(seq 600); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then listo=1; break; fi
    kill -0 "$gestor" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$listo" ]; then
    echo "wine.sh: openbox did not take the screen on $DISPLAY; it said:" >&2
    cat "$registro_gestor" >&2
    exit 1
  fi
fi

# A prefix is made on first use; a try that leaves none is tried once more
# from scratch, and a second failure is reported.
for intento in 1 2; do
  [ -f "$WINEPREFIX/system.reg" ] && break
  if [ "$intento" = 2 ]; then
    echo "wine.sh: wineboot made no prefix in $WINEPREFIX; trying again" >&2
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
done
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine.sh: wineboot made no prefix in $WINEPREFIX" >&2; exit 1; }
# A prefix that cannot take its settings says so, rather than ending the
# run without a word.
fijar() {
  wine reg add "$@" /f >/dev/null 2>&1 || { echo "wine.sh: could not set $1 in $WINEPREFIX" >&2; exit 1; }
}
fijar 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$gestionadas"
fijar 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
# A test of the sound names the stand-in audio services in
# TESK_AUDIO_PRUEBA: installed over this prefix's mmdevapi.dll and loaded
# in its place (native first) by every program of the run. A prefix that
# has it keeps it, but without the override Wine loads its own.
if [ -n "${TESK_AUDIO_PRUEBA:-}" ]; then
  cp -f "$TESK_AUDIO_PRUEBA" "$WINEPREFIX/drive_c/windows/system32/mmdevapi.dll"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mmdevapi=n"
fi
wineserver -w
wineserver -p
# The desktop process (explorer, with the notification area) starts with the
# first window and lives as long as the server. Started here, it holds no
# output of the program open.
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true

case "$1" in
  *.sh) bash "$@" </dev/null ;;
  *) wine "$@" </dev/null ;;
esac
