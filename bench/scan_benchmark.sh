#!/usr/bin/env bash
# Times the local scan (watched-file list plus size text) against GNU find doing the same work
# on a synthetic site tree of about 100,000 files, a fifth of them watched. Each side runs as
# its own process, best of RUNS (default 9) runs, on a warm cache. The last line is
# "scan/find ratio: X.XX"; below 1.00 the scan is the faster. BUILD_DIR names the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
RUNS="${RUNS:-9}"

if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD_DIR" --target ferquor_scan_bench >/dev/null
bench="$BUILD_DIR/bench/ferquor_scan_bench"

work="$(mktemp -d "${TMPDIR:-/tmp}/ferquor-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
root="$work/site/"
"$bench" make "$root"

run_scan() { "$bench" scan "$root"; }
run_find() {
    find "$root" -type f \( -name '*.php*' -o -name '*.js*' -o -name '*.htm*' -o -name '*.asp*' \) \
        -printf '%s-'
}

# Both must find the same sizes, each in its own order. This first run also warms the cache.
sorted_sizes() { tr -- '-' '\n' | sort -n; }
if ! cmp -s <(run_scan | sorted_sizes) <(run_find | sorted_sizes); then
    echo "the scan and find disagree on $root" >&2
    exit 1
fi
echo "tree: $(find "$root" -type f | wc -l) files in $(find "$root" -type d | wc -l) folders," \
    "$(run_find | tr -cd '-' | wc -c) watched"

# Microseconds since the epoch, without a subshell that the timing would include.
elapsed=0
time_once() {
    local start="${EPOCHREALTIME//[!0-9]/}"
    "$@" >/dev/null
    local end="${EPOCHREALTIME//[!0-9]/}"
    elapsed=$((end - start))
}

best_scan=
best_find=
for ((run = 0; run < RUNS; run++)); do
    time_once run_scan
    if [ -z "$best_scan" ] || [ "$elapsed" -lt "$best_scan" ]; then best_scan=$elapsed; fi
    time_once run_find
    if [ -z "$best_find" ] || [ "$elapsed" -lt "$best_find" ]; then best_find=$elapsed; fi
done

awk -v scan="$best_scan" -v find="$best_find" -v runs="$RUNS" 'BEGIN {
    printf "scan: %.1f ms (best of %d)\n", scan / 1000, runs
    printf "find: %.1f ms (best of %d)\n", find / 1000, runs
    printf "scan/find ratio: %.2f\n", scan / find
}'
