#!/bin/sh
# The pictures of the user manual (data/ayuda-*.png): taken by tools/screenshots.sh from the
# window itself, then made small with ImageMagick (narrower, fewer colours) so the manual stays
# light. Run it again after changing a window. Usage: tools/scripts/make-manual-pictures.sh
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v convert >/dev/null 2>&1; then
    echo "Falta convert (paquete imagemagick)." >&2
    exit 1
fi
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
"$here/tools/screenshots.sh" "$shots" >/dev/null
# screenshot name, picture name in the manual, widest size in pixels
while read -r shot picture width; do
    convert "$shots/$shot.png" -resize "${width}x>" -strip -colors 96 "PNG8:$here/data/ayuda-$picture.png"
    echo "$here/data/ayuda-$picture.png"
done <<'LIST'
0-tipo-nodo tipo-nodo 640
1-puertos puertos 640
2-ethernet ethernet 640
2-email-configuracion email-configuracion 640
3-programa programa 640
4-interrogar interrogar 640
5-seteos seteos 640
6-programa-recuperado programa-recuperado 600
7-asistente-2 asistente 480
8-sugerencia sugerencia 400
LIST
