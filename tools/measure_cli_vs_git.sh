#!/usr/bin/env bash
# Wall-clock time of a whole synopter-compare process against git's word diff
# of the same two edition texts, output discarded, and the ratio of the medians.
#
#   tools/measure_cli_vs_git.sh [PROGRAM_DIR] [RUNS]
#
# PROGRAM_DIR holds synopter-compare and the editions (default: build-engine/bin
# beside this script's folder). Uses hyperfine when installed (unless
# HYPERFINE=no), else a shell loop.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$here/build-engine/bin}
runs=${2:-30}
left=WestcottHort1881
right=Byzantine2018

for f in "$dir/synopter-compare" "$dir/$left.dat" "$dir/$right.dat"; do
    if [[ ! -e $f ]]; then
        echo "measure_cli_vs_git: $f not found (build first, with the sample editions)" >&2
        exit 2
    fi
done
command -v git >/dev/null || { echo "measure_cli_vs_git: git not found" >&2; exit 2; }

ours=("$dir/synopter-compare" --format json --threshold 1 --exact "$left" "$right")
git_diff=(git diff --no-index --word-diff "$dir/$left.dat" "$dir/$right.dat")

# Median of the numbers on stdin, one a line.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

if [[ ${HYPERFINE:-yes} != no ]] && command -v hyperfine >/dev/null; then
    csv=$(mktemp)
    trap 'rm -f "$csv"' EXIT
    # git diff exits with 1 when the files differ, hence --ignore-failure.
    hyperfine --shell=none --ignore-failure --warmup 5 --runs "$runs" --export-csv "$csv" \
        --command-name synopter-compare "$(printf '%q ' "${ours[@]}")" \
        --command-name "git diff --word-diff" "$(printf '%q ' "${git_diff[@]}")"
    ours_ms=$(awk -F, 'NR == 2 { printf "%.2f", $4 * 1000 }' "$csv")
    git_ms=$(awk -F, 'NR == 3 { printf "%.2f", $4 * 1000 }' "$csv")
else
    # One process per run, timed from the shell: includes the shell's fork and exec.
    time_runs() {
        local i start end
        for ((i = 0; i < 3; i++)); do "$@" >/dev/null 2>&1 || true; done
        for ((i = 0; i < runs; i++)); do
            start=$(date +%s%N)
            "$@" >/dev/null 2>&1 || true
            end=$(date +%s%N)
            echo $(( end - start ))
        done | median | awk '{ printf "%.2f", $1 / 1e6 }'
    }
    ours_ms=$(time_runs "${ours[@]}")
    git_ms=$(time_runs "${git_diff[@]}")
fi

echo
echo "median synopter-compare:      $ours_ms ms"
echo "median git diff --word-diff:  $git_ms ms"
awk -v o="$ours_ms" -v g="$git_ms" 'BEGIN { printf "ratio (git / synopter-compare): %.2f\n", g / o }'
