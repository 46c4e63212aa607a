#!/usr/bin/env bash
# Runs one Windows program under Wine in a prefix of its own, with its own
# wineserver, on the X display in $DISPLAY. Every Wine program of the
# project goes through here: the tests, the run command, the benchmarks and
# the screenshots.
#   scripts/wine.sh PREFIX DPI MANAGED PROGRAM.exe [ARGUMENTS...]
#   scripts/wine.sh PREFIX DPI MANAGED SCRIPT.sh [ARGUMENTS...]
#   scripts/wine.sh PREFIX DPI MANAGED        (only makes the prefix ready)
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
# prefix must not overlap. The program's standard input is empty; its
# output goes where this script's goes.
# Two settings in the environment, which the test command uses to run test
# programs side by side:
#   TESK_PANTALLA=propia  the run gets an X display of its own (a private
#                         Xvfb, stopped with the run) instead of $DISPLAY;
#   TESK_PREFIJO_MODELO=DIR  a prefix not made yet is copied from DIR, which
#                         is made (once, under a lock, by whichever run needs
#                         it first) as any prefix is. The copy links the
#                         model's files instead of copying them, except the
#                         registry's, which the copy's server rewrites: no
#                         file of a prefix may be written in place.
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
pantalla=""
parar() {
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
terminar() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  parar "$gestor"
  parar "$pantalla"
}
trap terminar EXIT

if [ "${TESK_PANTALLA:-}" = propia ]; then
  # The server picks a display number no other server holds and writes it
  # once it is ready for clients.
  numero="$WINEPREFIX.pantalla"
  : >"$numero"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numero" >"$WINEPREFIX.xvfb.log" 2>&1 &
  pantalla=$!
  for _ in $(seq 600); do
    [ -s "$numero" ] && break
    kill -0 "$pantalla" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$numero" ]; then
    echo "wine.sh: Xvfb gave no display; it said:" >&2
    cat "$WINEPREFIX.xvfb.log" >&2
    exit 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$numero")"
fi

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
hacer_prefijo() {
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
}
modelo="${TESK_PREFIJO_MODELO:-}"
if [ -n "$modelo" ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$modelo"
  modelo="$(cd "$modelo" && pwd)"
  (
    flock 9
    WINEPREFIX="$modelo" hacer_prefijo
  ) 9>"$modelo.lock" || exit 1
  rm -rf "$WINEPREFIX"
  cp -al "$modelo" "$WINEPREFIX"
  for registro in "$modelo"/*.reg; do
    cp --remove-destination "$registro" "$WINEPREFIX/"
  done
fi
hacer_prefijo
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
  cp --remove-destination "$TESK_AUDIO_PRUEBA" "$WINEPREFIX/drive_c/windows/system32/mmdevapi.dll"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mmdevapi=n"
fi
wineserver -w
# Without a program, the prefix is ready and that is all.
[ $# -gt 0 ] || exit 0
wineserver -p
# The desktop process (explorer, with the notification area) starts with the
# first window and lives as long as the server. Started here, it holds no
# output of the program open.
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true

case "$1" in
  *.sh) bash "$@" </dev/null ;;
  *) wine "$@" </dev/null ;;
esac
