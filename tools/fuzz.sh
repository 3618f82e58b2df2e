#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) with clang, AddressSanitizer and UBSan into build-fuzz/
# and runs each for SECONDS (default 60), printing per target its executions, coverage and
# crashes. New inputs collect in build-fuzz/fuzz-work/<target>/corpus, crashes in
# build-fuzz/fuzz-work/<target>/crashes. Exit status 1 when any target found a crash.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: tools/fuzz.sh [SECONDS]" >&2
    exit 2
fi
source tools/scripts/deps.sh
brisa_install_deps "${BRISA_FUZZ_PACKAGES[@]}"
brisa_build_fuzz build-fuzz

status=0
for program in build-fuzz/bin/fuzz_*; do
    name=${program##*/fuzz_}
    tools/scripts/fuzz-target.sh "$program" "$seconds" "tests/fuzz/$name" \
        "build-fuzz/fuzz-work/$name" || status=1
done
exit $status
