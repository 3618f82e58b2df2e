#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless through ctest.
set -euo pipefail
cd "$(dirname "$0")"
source tools/scripts/deps.sh
brisa_install_deps
brisa_build
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure "$@"
