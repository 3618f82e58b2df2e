#!/usr/bin/env bash
# Installs with apt-get whatever of the build and test dependencies is missing (Debian 12).
# Sourced by run.sh and test.sh; does nothing when everything is already there.
set -euo pipefail

BRISA_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-serialport-dev libgl-dev qt6-translations-l10n
    dpkg-dev lintian
)

# Only for the fuzz targets (`./test.sh --sanitize`, tools/fuzz.sh): clang and its libFuzzer.
BRISA_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# brisa_install_deps [MORE PACKAGES...]
brisa_install_deps() {
    local missing=()
    for p in "${BRISA_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# brisa_build [FOLDER [CMAKE ARGS...]]: configures and builds into FOLDER (build/).
brisa_build() {
    local dir="${1:-build}"
    (($#)) && shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir"
}

# brisa_build_fuzz [FOLDER]: configures and builds the fuzz targets with clang into FOLDER
# (build-fuzz/): only the libraries they need and the targets.
brisa_build_fuzz() {
    local dir="${1:-build-fuzz}"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DBRISA_FUZZ=ON
    cmake --build "$dir"
}
