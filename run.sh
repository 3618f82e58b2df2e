#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brisa with a simulated node on COM1, so that a
# node can be compiled and programmed without any hardware.
set -euo pipefail
cd "$(dirname "$0")"
source tools/scripts/deps.sh
brisa_install_deps
brisa_build

link="$PWD/build/ztknode-sim.link"
coproc SIM { exec build/bin/ztknode-sim --link "$link"; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
if ! read -r -t 10 ready <&"${SIM[0]}" || [ "$ready" != "ready $link" ]; then
    echo "ztknode-sim no arrancó" >&2
    exit 1
fi

# COM1 of section Puertos in the settings file points at the simulator; every other line of
# the file stays as it is (CR LF line ends, as the configurator writes them).
ini=build/bin/Brisa.ini
[ -f "$ini" ] || : > "$ini"
awk -v dev="$link" '
    BEGIN { cr = "\r" }
    { line = $0; sub(/\r$/, "", line) }
    /^\[/ {
        if (inside && !done) { print "COM1=" dev cr; done = 1 }
        inside = (tolower(line) == "[puertos]")
        if (inside) seen = 1
    }
    inside && tolower(line) ~ /^com1=/ { if (!done) print "COM1=" dev cr; done = 1; next }
    { print }
    END {
        if (!seen) print "[Puertos]" cr
        if (!done) print "COM1=" dev cr
    }' "$ini" > "$ini.new"
mv "$ini.new" "$ini"

build/bin/brisa "$@"
