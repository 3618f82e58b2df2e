#!/usr/bin/env bash
# headless-deps.sh WINDOWED FILE...: fails when a FILE (the driver, the console programs)
# needs Qt Widgets, Qt Gui or a graphics library, directly (readelf -d) or through the
# libraries it loads (ldd). WINDOWED, the window program, must show them: the check sees what
# it looks for.
set -euo pipefail
windowed=$1
shift
graphics='libQt6Widgets|libQt6Gui|libX11|libxcb|libEGL|libGL|libOpenGL|libfontconfig|libxkbcommon'
status=0

# (Outputs are taken whole before grep: under pipefail an early grep -q exit fails the pipe.)
loaded=$(ldd "$windowed")
grep -Eq "$graphics" <<<"$loaded" || { echo "FAIL: the check finds no graphics library in $windowed" >&2; exit 1; }

for file in "$@"; do
    needed=$(readelf -d "$file" | awk '/\(NEEDED\)/ {gsub(/[][]/, "", $5); print $5}')
    loaded=$(ldd "$file" | awk '{print $1}')
    echo "$(basename "$file") needs: $(tr '\n' ' ' <<<"$needed")"
    for list in needed loaded; do
        found=$(grep -E "$graphics" <<<"${!list}" || true)
        if [ -n "$found" ]; then
            echo "FAIL: $file ($list): $(tr '\n' ' ' <<<"$found")" >&2
            status=1
        fi
    done
done
exit $status
