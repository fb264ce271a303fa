#!/usr/bin/env bash
# Builds Synopter and starts it ("run"), or builds it and runs every test ("test").
# Installs what it needs from Debian's packages first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libfontconfig-dev python3-fonttools fonts-noto-core
          libicu-dev libexpat1-dev libsword-dev libsword-utils)

install_packages() {
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

jobs=$(nproc)
editions=${SYNOPTER_EDITIONS:-$(pwd)/../shared/editions}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYNOPTER_EDITIONS_DIR="$editions" >/dev/null
    cmake --build build -j"$jobs"
}

case "${1:-}" in
run)
    install_packages
    build
    exec build/bin/synopter
    ;;
test)
    install_packages
    build
    (cd build && ctest --output-on-failure -j"$jobs")
    # The Qt-free engine once more, under AddressSanitizer and UndefinedBehaviorSanitizer.
    cmake -S . -B build-asan -DSYNOPTER_ENGINE_ONLY=ON -DSYNOPTER_SANITIZE=ON -DSYNOPTER_BENCHMARKS=OFF \
          -DCMAKE_BUILD_TYPE=Debug -DSYNOPTER_EDITIONS_DIR="$editions" >/dev/null
    cmake --build build-asan -j"$jobs"
    (cd build-asan && ctest --output-on-failure -j"$jobs" -L engine)
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
