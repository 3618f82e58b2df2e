#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless through ctest.
#   ./test.sh [CTEST ARGS...]              build/ and its tests
#   ./test.sh --sanitize [CTEST ARGS...]   the same built with AddressSanitizer and
#                                          UndefinedBehaviorSanitizer into build-asan/
set -euo pipefail
cd "$(dirname "$0")"
source tools/scripts/deps.sh
brisa_install_deps

build=build
if [ "${1:-}" = "--sanitize" ]; then
    shift
    build=build-asan
    brisa_build "$build" -DBRISA_SANITIZE=ON
    # Any report fails the test that caused it. Leaks are checked, except the ones inside
    # Qt and the system libraries listed (with the reason) in the suppressions file.
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
else
    brisa_build "$build"
fi
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure "$@"
