#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless through ctest.
#   ./test.sh [CTEST ARGS...]              build/ and its tests, the fault drills included
#   ./test.sh --sanitize [CTEST ARGS...]   the same built with AddressSanitizer and
#                                          UndefinedBehaviorSanitizer into build-asan/, then
#                                          the fuzz targets built with clang into build-fuzz/
#                                          and run 20 s each (ctest label `fuzz`)
set -euo pipefail
cd "$(dirname "$0")"
source tools/scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
    shift
    brisa_install_deps "${BRISA_FUZZ_PACKAGES[@]}"
    brisa_build build-asan -DBRISA_SANITIZE=ON
    brisa_build_fuzz build-fuzz
    # Any report fails the test that caused it. Leaks are checked, except the ones inside
    # Qt and the system libraries listed (with the reason) in the suppressions file.
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
    (cd build-asan && ctest --output-on-failure "$@")
    # Each fuzz target prints its executions, coverage and crashes.
    (cd build-fuzz && ctest -L fuzz --output-on-failure --verbose)
else
    brisa_install_deps
    brisa_build build
    cd build
    ctest --output-on-failure "$@"
fi
