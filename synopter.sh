#!/usr/bin/env bash
# Builds Synopter and starts it ("run"), or builds it and runs every test ("test").
# Installs what it needs from Debian's packages first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libfontconfig-dev python3-fonttools fonts-noto-core
          libicu-dev libexpat1-dev libsword-dev libsword-utils clang libfuzzer-14-dev
          librsvg2-bin desktop-file-utils appstream dpkg-dev xvfb xdotool openbox x11-utils
          qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n chromium poppler-utils)

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

# Everything, or only the named targets.
build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYNOPTER_EDITIONS_DIR="$editions" >/dev/null
    cmake --build build -j"$jobs" ${1:+--target "$@"}
}

# Runs one step and says how long it took.
phase() {
    local start=$SECONDS
    "$@"
    echo "phase $*: $((SECONDS - start)) s"
}

run_tests() {
    (cd "$1" && ctest --output-on-failure -j"$jobs")
}

sanitizer_build() {
    CC=clang CXX=clang++ cmake -S . -B build-sanitize -DSYNOPTER_SANITIZE=ON -DSYNOPTER_FUZZ=ON \
          -DSYNOPTER_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
          -DSYNOPTER_EDITIONS_DIR="$editions" >/dev/null
    cmake --build build-sanitize -j"$jobs" # the fuzz harnesses too
}

fuzz_seconds=${SYNOPTER_FUZZ_SECONDS:-15}

# A harness's seeds: the hand-written ones of fuzz/seeds and, made here and
# never kept in the sources, the start of the sample files.
make_seeds() {
    local name=$1 corpus=$2 sources=$editions/../sources f
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && cp fuzz/seeds/"$name"/* "$corpus"/
    case $name in
    edition_fuzz)
        for f in "$editions"/*.dat; do [ -f "$f" ] && head -c 8192 "$f" >"$corpus/$(basename "$f")"; done ;;
    ini_file_fuzz)
        for f in "$editions"/*.bk src/language/lng/*.lng; do [ -f "$f" ] && cp "$f" "$corpus"/; done ;;
    language_file_fuzz)
        cp src/language/lng/*.lng "$corpus"/ ;;
    import_csv_fuzz)
        for f in "$sources"/*/J*.csv; do [ -f "$f" ] && head -c 8192 "$f" >"$corpus/$(basename "$f")"; done ;;
    truetype_names_fuzz)
        for f in build/bin/Fonts/*.ttf /usr/share/fonts/truetype/noto/NotoSansLy*-Regular.ttf; do
            [ -f "$f" ] && cp "$f" "$corpus"/
        done ;;
    comparison_run_fuzz)
        local dats=("$editions"/*.dat)
        if [ ${#dats[@]} -ge 2 ] && [ -f "${dats[0]}" ]; then
            { printf '\000\024'; head -c 6000 "${dats[0]}"; printf '\000'; head -c 6000 "${dats[1]}"; } >"$corpus/pair"
        fi ;;
    esac
}

fuzz_one() {
    local name=$1 dir=build-sanitize/fuzz-run/$1
    make_seeds "$name" "$dir/corpus"
    mkdir -p "$dir/crashes"
    if ! build-sanitize/fuzz/"$name" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$dir/crashes/" "$dir/corpus" >"$dir/log" 2>&1; then
        tail -n 40 "$dir/log"
        echo "fuzz: $name failed; the input is in $dir/crashes" >&2
        return 1
    fi
    echo "fuzz: $name $(grep -o 'cov: [0-9]*' "$dir/log" | tail -n 1), $(grep -c '' "$dir/log") log lines"
}

run_fuzzers() {
    rm -rf build-sanitize/fuzz-run
    export -f make_seeds fuzz_one
    export editions fuzz_seconds
    # One harness per core at a time, each for a bounded time.
    ls build-sanitize/fuzz | grep '_fuzz$' | xargs -P "$jobs" -I{} bash -c 'fuzz_one {}'
}

case "${1:-}" in
run)
    install_packages
    build synopter_program # the program and its files, no tests
    exec build/bin/synopter
    ;;
test)
    phase install_packages
    phase build
    phase run_tests build
    # Every test once more, widgets too, under AddressSanitizer (leaks included)
    # and UndefinedBehaviorSanitizer, built by clang so that the same build
    # holds the libFuzzer harnesses.
    phase sanitizer_build
    phase run_tests build-sanitize
    phase run_fuzzers
    echo "test: all phases passed in $SECONDS s"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
