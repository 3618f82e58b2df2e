#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time and prints one line: its executions, its
# coverage and the crashes found.
#   fuzz-target.sh PROGRAM SECONDS SEED_FOLDER WORK_FOLDER
# The seed corpus (tests/fuzz/<target>/) is only read; what the run adds goes into
# WORK_FOLDER/corpus, and a crash into WORK_FOLDER/crashes/ (crash-<sha1>, leak-..., timeout-...),
# to be added to the seed corpus as a regression input once its fault is fixed. The target's
# own libFuzzer options are in SEED_FOLDER.options. The whole output is in WORK_FOLDER/run.log.
# Exit status 1 when the run found a crash.
set -uo pipefail
program=$1 seconds=$2 seeds=$3 work=$4
name=$(basename "$program")
name=${name#fuzz_}
here=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$work/corpus" "$work/crashes"
log="$work/run.log"
options=()
[ -f "$seeds.options" ] && read -r -a options < "$seeds.options"

# Targets that write files (the settings file, "Salvar") do it in a temporary folder: in memory
# when the machine has one, so that the disk's flushes do not set the pace.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

found() { find "$work/crashes" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l; }
before=$(found)
ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
LSAN_OPTIONS="suppressions=$here/tests/sanitizer/lsan.supp:print_suppressions=0" \
QT_QPA_PLATFORM=offscreen \
    "$program" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=3072 \
    -artifact_prefix="$work/crashes/" "${options[@]}" "$work/corpus" "$seeds" > "$log" 2>&1
status=$?
execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -n 1 | awk '{print $2}')
cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -n 1 | awk '{print $2}')
crashes=$(($(found) - before))
printf '%-16s %10s executions   coverage %6s   crashes %d\n' "$name" "${execs:-?}" "${cov:-?}" "$crashes"
if [ "$status" -ne 0 ] || [ "$crashes" -gt 0 ]; then
    echo "---- the end of $log:"
    tail -n 60 "$log"
    exit 1
fi
