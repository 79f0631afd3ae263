#!/usr/bin/env bash
# Times ferquor-check over 1,000 sites on loopback with its default jobs: 990 answer at once
# (the generated script under php -S with several workers), 10 accept the connection and never
# answer. Prints the whole run's time, one healthy site's time alone, and the goal: everything
# done within a dead site's own deadline plus 10 s. BUILD_DIR (default: build) is the build
# folder; SITES and DEAD change the counts.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
SITES="${SITES:-1000}"
DEAD="${DEAD:-10}"
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$BUILD_DIR" --target ferquor-check -- -j2 >/dev/null
checker="$(realpath "$BUILD_DIR/ferquor-check")"

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
free_port() { php -r '$s = stream_socket_server("tcp://127.0.0.1:0"); echo explode(":", stream_socket_get_name($s, false))[1];'; }

mkdir -p "$work/web" "$work/local" "$work/one" "$work/dead" "$work/all"
echo '<?php echo 1;' >"$work/local/a.php"
printf 'php<>jobsbench\r\n' >"$work/one/ferquor.ini"
"$checker" --report-script "$work/one" >"$work/script.php"

live="$(free_port)"
PHP_CLI_SERVER_WORKERS=8 php -S "127.0.0.1:$live" -t "$work/web" >/dev/null 2>&1 &
pids+=($!)
dead="$(free_port)"
# Takes every connection and never answers.
php -r '$s = stream_socket_server("tcp://127.0.0.1:'"$dead"'"); $held = [];
        while ($c = @stream_socket_accept($s, -1)) { $held[] = $c; }' &
pids+=($!)

{
    printf 'php<>jobsbench\r\n'
    for n in $(seq "$SITES"); do
        if [ "$n" -le "$DEAD" ]; then
            printf 'http://127.0.0.1:%s/d%s/<>%s/local/\r\n' "$dead" "$n" "$work"
        else
            mkdir -p "$work/web/s$n"
            cp "$work/local/a.php" "$work/web/s$n/a.php"
            cp "$work/script.php" "$work/web/s$n/_report.php"
            printf 'http://127.0.0.1:%s/s%s/<>%s/local/\r\n' "$live" "$n" "$work"
        fi
    done
} >"$work/all/ferquor.ini"
printf 'php<>jobsbench\r\nhttp://127.0.0.1:%s/s%s/<>%s/local/\r\n' "$live" "$SITES" "$work" \
    >"$work/one/ferquor.ini"
printf 'php<>jobsbench\r\nhttp://127.0.0.1:%s/d0/<>%s/local/\r\n' "$dead" "$work" >"$work/dead/ferquor.ini"
sleep 1 # the servers bind

seconds() {
    local start end
    start="$(date +%s.%N)"
    "$checker" "$@" >"$work/out" || true
    end="$(date +%s.%N)"
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }'
}
one="$(seconds "$work/one")"
grep -q 'OK' "$work/out" || { echo "the healthy site is not OK:" >&2; cat "$work/out" >&2; exit 1; }
dead_alone="$(seconds "$work/dead")"
all="$(seconds "$work/all")"
ok="$(grep -c $'\tOK\t' "$work/out" || true)"
silent="$(grep -c $'\tNo report\t' "$work/out" || true)"
echo "sites: $SITES ($DEAD never answer), default jobs"
echo "whole run: ${all} s ($ok OK, $silent No report)"
echo "one healthy site alone: ${one} s; one dead site alone: ${dead_alone} s"
awk -v all="$all" -v dead="$dead_alone" 'BEGIN {
    printf "goal: within %.2f s (a dead site plus 10 s): %s\n", dead + 10, all <= dead + 10 ? "met" : "missed" }'
