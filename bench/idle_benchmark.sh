#!/usr/bin/env bash
# Starts the built program under Xvfb over a sample program folder with four sites, lets it
# sit (60 seconds by default, IDLE_SECONDS to change; the first scheduled check is 3 minutes
# away) and prints the CPU time it used meanwhile and its peak memory. It starts no other
# process. Last line: "idle cpu: X.XX%" of one core.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
IDLE_SECONDS="${IDLE_SECONDS:-60}"
SETTLE_SECONDS=5
source scripts/sample_program.sh

ticks_per_second="$(getconf CLK_TCK)"

# utime + stime of the program in clock ticks (fields 14 and 15, counted after the name).
cpu_ticks() {
    local stat
    stat="$(cat "/proc/$sample_program_pid/stat")"
    stat="${stat##*) }"
    awk '{print $12 + $13}' <<<"$stat"
}

sample_start
sample_wait_for_window >/dev/null
sleep "$SETTLE_SECONDS"

start_ticks="$(cpu_ticks)"
started="$(date +%s.%N)"
sleep "$IDLE_SECONDS"
used=$(($(cpu_ticks) - start_ticks))
elapsed="$(awk -v s="$started" -v e="$(date +%s.%N)" 'BEGIN {print e - s}')"
peak="$(awk '/^VmHWM:/ {print $2}' "/proc/$sample_program_pid/status")"

awk -v used="$used" -v hz="$ticks_per_second" -v elapsed="$elapsed" -v peak="$peak" 'BEGIN {
    printf "sat idle for %.1f s after start-up\n", elapsed
    printf "cpu time: %.2f s\n", used / hz
    printf "peak memory (VmHWM): %.1f MiB\n", peak / 1024
    printf "idle cpu: %.2f%%\n", 100 * used / hz / elapsed
}'
