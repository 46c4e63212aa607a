#!/usr/bin/env bash
# Takes the README's pictures of the real program under Wine: the panel
# beside a few windows with one entry marked (docs/panel.png), the About
# box (docs/acerca.png) and the panel with the keyboard focus on a command
# (docs/panel-teclado.png).
#   bash tests/e2e/capturas.sh BUILD_DIR [OUTPUT_DIR]
# BUILD_DIR is a configured Windows build; the programs the pictures need
# are built in it first. Without a display it runs itself in a private Xvfb.
set -euo pipefail

build="$(cd "${1:?build folder}" && pwd)"
fuente="$(cd "$(dirname "$0")" && pwd)"
salida="$(mkdir -p "${2:-$fuente/../../docs}" && cd "${2:-$fuente/../../docs}" && pwd)"

# Up to date in a moment when nothing changed (and so when the script runs
# itself again inside Xvfb).
cmake --build "$build" -j2 --target tesk ventanas_prueba capturas_e2e >/dev/null

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" "$salida"
fi

export TESK_EXE="$build/panel/tesk.exe"
export TESK_VENTANAS_PRUEBA="$build/tests/soporte/ventanas_prueba.exe"
carpeta="$(mktemp -d)"
escena=""
terminar() {
  if [ -n "$escena" ]; then wait "$escena" || true; fi
  rm -rf "$carpeta"
}
trap terminar EXIT

bash "$fuente/../../scripts/wine.sh" "$build/wineprefix-e2e" 96 no "$build/tests/e2e/capturas_e2e.exe" "$carpeta" &
escena=$!

# Waits for the scene to say where a picture is, takes it, and lets the
# scene go on.
capturar() {
  local nombre="$1"
  for _ in $(seq 600); do
    if [ -f "$carpeta/$nombre.rect" ]; then
      read -r x y ancho alto < "$carpeta/$nombre.rect"
      sleep 0.3  # the last frame reaches the X server
      import -window root "$carpeta/pantalla.png"
      convert "$carpeta/pantalla.png" -crop "${ancho}x${alto}+${x}+${y}" +repage "$salida/$nombre.png"
      touch "$carpeta/$nombre.listo"
      echo "$salida/$nombre.png"
      return 0
    fi
    if ! kill -0 "$escena" 2>/dev/null; then break; fi
    sleep 0.1
  done
  echo "the scene for $nombre.png did not come up" >&2
  return 1
}

capturar panel
capturar acerca
capturar panel-teclado
