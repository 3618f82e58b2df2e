#!/bin/sh
# Pictures of every page of the main window, taken under a virtual X server, so that anyone
# can look at the window without running it. Usage: tools/screenshots.sh [FOLDER]
# (default build/screenshots). Needs a build (build/bin/brisa) and xvfb-run.
# SCREEN=1366x768 sets the virtual screen (default 1280x1024); QT_SCALE_FACTOR=1.5 enlarges
# the window as a high-density screen does.
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
xvfb-run -a -s "-screen 0 ${SCREEN:-1280x1024}x24" env QT_QPA_PLATFORM=xcb "$brisa" --screenshots "$out"
