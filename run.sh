#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brisa.
set -euo pipefail
cd "$(dirname "$0")"
source tools/scripts/deps.sh
brisa_install_deps
brisa_build
exec build/bin/brisa "$@"
