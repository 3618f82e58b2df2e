#!/usr/bin/env bash
# Fault drills end to end against ztknode-sim, one row of the table below per drill. Each
# drill's checks live in the `drills` program (tests/drills/), in the window's core
# (brisa::App on the real serial port) and in brisa-cli; a row names its cases by a GoogleTest
# filter. The cases of every row are independent processes, each with simulators of its own,
# and run side by side (BRISA_DRILL_JOBS at a time; default 8 per processor, at most 32).
# At the end: drills run and passed, and one line per drill that failed. Exit status 1 when
# one failed. The output of every case is in BUILD/drill-logs/.
#   tools/drills.sh [BUILD]        (BUILD defaults to build/, as ./test.sh builds it)
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd) || exit 2
program="$build/bin/drills"
if [ ! -x "$program" ]; then
    echo "drills: $program is missing; build first (./test.sh builds it)" >&2
    exit 2
fi
jobs=${BRISA_DRILL_JOBS:-$(($(nproc) * 8))}
[ "$jobs" -gt 32 ] && jobs=32
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
logs="$build/drill-logs"
rm -rf "$logs"
mkdir -p "$logs"

# drill | its cases in the drills program [| AddressSanitizer options of its own]
table=(
    # Freed memory that AddressSanitizer holds back (its quarantine) would be the sanitizer's
    # growth, not the program's; leaks are still looked for when the drill ends.
    "1 000 programmings in a row: no memory growth, no leaked descriptors|Endurance.AThousandProgrammingsInARow|quarantine_size_mb=0"
    "simulator killed mid-programming: the window says so, stays usable, programs once it is back|SimulatorKilled.TheWindowSaysSoStaysUsableAndProgramsOnceItIsBack"
    "simulator killed mid-programming: brisa-cli says so in Spanish, naming the block|SimulatorKilled.BrisaCliSaysSoInSpanishNamingTheBlock"
    "garbage on the line between frames|LineNoise.GarbageBetweenFramesIsDropped"
    "garbage on the line inside the receive gap|LineNoise.GarbageInsideTheGapIsDropped"
    "a node that answers twice|LineNoise.ANodeThatAnswersTwice"
    "a node that answers after the watchdog|LineNoise.ANodeThatAnswersAfterTheWatchdog"
    "--drop at every block of an RS-232/485 programming|Faults/AtEveryBlock.*/drop_serial_*"
    "--drop at every block of an Ethernet programming|Faults/AtEveryBlock.*/drop_ethernet_*"
    "--partial at every block of an RS-232/485 programming|Faults/AtEveryBlock.*/partial_serial_*"
    "--partial at every block of an Ethernet programming|Faults/AtEveryBlock.*/partial_ethernet_*"
    "--corrupt at every block of an RS-232/485 programming|Faults/AtEveryBlock.*/corrupt_serial_*"
    "--corrupt at every block of an Ethernet programming|Faults/AtEveryBlock.*/corrupt_ethernet_*"
    "a read-only application folder at shutdown|Files.AReadOnlyApplicationFolderAtShutdown"
    "a \"Brisa.ini\" that is a folder|Files.ASettingsFileThatIsAFolder"
    "a program file of 10 MB|Files.AProgramFileOfTenMegabytes"
    "a program file with NUL bytes and invalid Windows-1252|Files.AProgramFileWithNulBytesAndBytesNoCodePageCharacter"
)

# The full names of the cases a filter selects.
cases_of() {
    "$program" --gtest_list_tests --gtest_filter="$1" 2>/dev/null |
        awk '/^[^ ]/ { suite = $1; next } { print suite $1 }'
}

log_of() { echo "$logs/$(echo "$1" | tr '/.*' '___').log"; }

run_case() {
    local log asan=${ASAN_OPTIONS:-}
    log=$(log_of "$1")
    [ -n "$2" ] && asan="${asan:+$asan:}$2"
    ASAN_OPTIONS="$asan" "$program" --gtest_filter="$1" > "$log" 2>&1
    echo $? > "$log.status"
}

# Every case of every row, the longest first, side by side.
declare -a all=()
declare -A row_cases=() case_asan=()
for i in "${!table[@]}"; do
    IFS='|' read -r _ filter asan <<< "${table[$i]}"
    row_cases[$i]=$(cases_of "$filter")
    for c in ${row_cases[$i]}; do
        all+=("$c")
        case_asan[$c]=$asan
    done
done
started=$(date +%s)
running=0
for c in "${all[@]}"; do
    run_case "$c" "${case_asan[$c]}" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

run=0
passed=0
failed=()
for i in "${!table[@]}"; do
    name=${table[$i]%%|*}
    run=$((run + 1))
    cases=(${row_cases[$i]})
    bad=()
    for c in "${cases[@]}"; do
        log=$(log_of "$c")
        if [ "$(cat "$log.status" 2>/dev/null)" != 0 ] || ! grep -q '^\[  PASSED  \] 1 test' "$log"; then
            why=$(grep -m 1 -A 2 ': Failure$' "$log" | tail -n 2 | tr -s ' \n' ' ')
            [ -n "$why" ] || why=$(tail -n 3 "$log" | tr -s ' \n' ' ')
            bad+=("$c: ${why:0:300}")
        fi
    done
    if [ "${#cases[@]}" -eq 0 ]; then
        bad+=("no case of the drills program matches")
    fi
    if [ "${#bad[@]}" -eq 0 ]; then
        passed=$((passed + 1))
        printf 'passed  %s (%d case%s)\n' "$name" "${#cases[@]}" "$([ "${#cases[@]}" -eq 1 ] || echo s)"
        # What a drill measured, as it printed it.
        for c in "${cases[@]}"; do grep -h '^\[ [a-z]' "$(log_of "$c")" | sed 's/^/        /'; done
    else
        printf 'FAILED  %s\n' "$name"
        failed+=("$name: ${bad[0]}$([ "${#bad[@]}" -gt 1 ] && echo " (${#bad[@]} cases failed)")")
    fi
done

echo
echo "drills run: $run, passed: $passed ($(($(date +%s) - started)) s, $jobs at a time; logs in $logs)"
for f in "${failed[@]}"; do echo "failed: $f"; done
[ "$passed" -eq "$run" ]
