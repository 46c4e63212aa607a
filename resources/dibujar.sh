#!/bin/sh
# Redraws Tesk's artwork into this folder: tesk.ico, minimizar.ico,
# cerrar.ico, cambiar.ico, banner.bmp (and the twice-as-large banner2x.bmp),
# acerca.bmp and mano.cur.
# The files are kept in the repository; the build never runs this.
#   resources/dibujar.sh [file ...]     (no names: every file)
# Needs python3, ImageMagick's convert and the Liberation fonts
# (fonts-liberation; another folder can be given in LIBERATION_DIR).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
command -v python3 >/dev/null || { echo "dibujar.sh: python3 is needed" >&2; exit 1; }
command -v convert >/dev/null || { echo "dibujar.sh: ImageMagick (convert) is needed" >&2; exit 1; }
fonts=${LIBERATION_DIR:-/usr/share/fonts/truetype/liberation}
[ -f "$fonts/LiberationSans-Bold.ttf" ] || { echo "dibujar.sh: Liberation Sans not found in $fonts" >&2; exit 1; }
exec python3 "$here/dibujar.py" "$here" "$@"
