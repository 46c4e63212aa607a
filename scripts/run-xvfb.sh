#!/usr/bin/env bash
# The program in a private X display, run through scripts/wine.sh: a few
# sample windows, the panel, a screenshot of the whole screen and of the
# panel. wine.sh stops everything when this ends.
#   scripts/wine.sh PREFIX 96 no scripts/run-xvfb.sh BUILD_DIR
set -euo pipefail
build="${1:?build folder}"

# Polls the X server's window tree for a window of that name, for up to a
# minute (a fresh prefix on a busy machine is slow to show its first window).
esperar_ventana() {
  for _ in $(seq 600); do
    xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\"" && return 0
    sleep 0.1
  done
  echo "no window \"$1\" came up" >&2
  return 1
}

wine "$build/tests/soporte/ventanas_prueba.exe" --ventana "Documento - Bloc de notas" --ventana "Calculadora" \
  --ventana "Bandeja de entrada - Correo" --max --ventana "Informe anual.xlsx" --min \
  --ventana "Explorador de archivos" >/dev/null 2>&1 &
esperar_ventana "Explorador de archivos"
wine "$build/panel/tesk.exe" >/dev/null 2>&1 &
esperar_ventana "Tesk"
# The panel lists the windows once it is up; the X server shows its first
# frames a moment later: a screenshot that waits for two screens alike.
pantalla="$build/tesk-pantalla.png"
panel="$build/tesk-panel.png"
anterior="$build/tesk-anterior.png"
import -window root "$anterior"
for _ in $(seq 50); do
  sleep 0.2
  import -window root "$pantalla"
  cmp -s <(convert "$pantalla" rgb:-) <(convert "$anterior" rgb:-) && break
  mv "$pantalla" "$anterior"
done
rm -f "$anterior"
# The panel sits in the bottom-right corner: 168 x 228 pixels at 96 dpi,
# 7 pixels from the right edge and 33 from the bottom.
geometria=$(identify -format '%w %h' "$pantalla")
read -r ancho alto <<<"$geometria"
convert "$pantalla" -crop "178x238+$((ancho - 180))+$((alto - 266))" +repage "$panel"
echo "Tesk ran in a private X display (there is no display here)."
echo "Screenshot of the screen: $pantalla"
echo "Screenshot of the panel:  $panel"
