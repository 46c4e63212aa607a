#!/usr/bin/env bash
# The program in a private X display: a few sample windows, the panel, a
# screenshot of the whole screen and of the panel, then everything stopped.
set -euo pipefail
build="${1:?build folder}"
source "$(dirname "$0")/wine-env.sh" "$build"
trap wine_parar EXIT
wine_iniciar

muestras="$build/tests/windows/ventanas_prueba.exe"
wine "$muestras" --ventana "Documento - Bloc de notas" --ventana "Calculadora" \
  --ventana "Bandeja de entrada - Correo" --max --ventana "Informe anual.xlsx" --min \
  --ventana "Explorador de archivos" >/dev/null 2>&1 &
sleep 2
wine "$build/panel/tesk.exe" >/dev/null 2>&1 &
sleep 3

pantalla="$build/tesk-pantalla.png"
panel="$build/tesk-panel.png"
import -window root "$pantalla"
# The panel sits in the bottom-right corner: 168 x 228 pixels at 96 dpi,
# 7 pixels from the right edge and 33 from the bottom.
geometria=$(identify -format '%w %h' "$pantalla")
read -r ancho alto <<<"$geometria"
convert "$pantalla" -crop "178x238+$((ancho - 180))+$((alto - 266))" +repage "$panel"
echo "Tesk ran in a private X display (there is no display here)."
echo "Screenshot of the screen: $pantalla"
echo "Screenshot of the panel:  $panel"
