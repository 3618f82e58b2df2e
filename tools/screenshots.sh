#!/bin/sh
# Pictures of every page of the main window, taken under a virtual X server, so that anyone
# can look at the window without running it. Usage: tools/screenshots.sh [FOLDER]
# (default build/screenshots). Needs a build (build/bin/brisa) and xvfb-run.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$here/build/screenshots"}
brisa="$here/build/bin/brisa"
if [ ! -x "$brisa" ]; then
    echo "No está $brisa: compile primero (cmake --build build)." >&2
    exit 1
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "Falta xvfb-run (paquete xvfb)." >&2
    exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$brisa" --screenshots "$out"
