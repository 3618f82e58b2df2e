#!/usr/bin/env bash
# cli_startup.sh [-n RUNS] [BRISA_CLI...]: the whole process of `brisa-cli compile` on a test
# program file, start to exit, as a script calling it pays for it (loading the libraries
# included). Runs each given brisa-cli (default: build/bin/brisa-cli) RUNS times (default 30)
# after one warm-up run and prints the median and the fastest run in ms. Goal: median under
# 18 ms. A timed script: run it by hand on a quiet machine, never from ctest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=30
if [ "${1:-}" = -n ]; then runs=$2; shift 2; fi
[ $# -gt 0 ] || set -- "$here/build/bin/brisa-cli"
program=$here/tests/data/ethernet.nod

for cli in "$@"; do
    [ -x "$cli" ] || { echo "no program: $cli" >&2; exit 2; }
    "$cli" compile "$program" >/dev/null  # the files into the page cache
    times=()
    for ((i = 0; i < runs; i++)); do
        start=$EPOCHREALTIME
        "$cli" compile "$program" >/dev/null
        end=$EPOCHREALTIME
        # Microseconds: the locale's decimal symbol taken out.
        times+=($((${end/[^0-9]/} - ${start/[^0-9]/})))
    done
    libraries=$(ldd "$cli" | wc -l)
    printf '%s\n' "${times[@]}" | sort -g | awk -v cli="$cli" -v libs="$libraries" '
        { t[NR] = $1 / 1000 }
        END {
            median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
            printf "%s compile ethernet.nod: median %.1f ms, min %.1f ms (%d runs, %d libraries)\n",
                   cli, median, t[1], NR, libs
        }'
done
