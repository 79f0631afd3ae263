#!/usr/bin/env bash
# Starts the built program under Xvfb over a sample program folder with four sites, lets it
# sit (60 seconds by default, IDLE_SECONDS to change; the first scheduled check is 3 minutes
# away) and prints the CPU time it used meanwhile and its peak memory. The browser engine's
# helper processes count too. Last line: "idle cpu: X.XX%" of one core.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
IDLE_SECONDS="${IDLE_SECONDS:-60}"
SETTLE_SECONDS=5
source scripts/sample_program.sh

ticks_per_second="$(getconf CLK_TCK)"

# The process and all its descendants, one id a line (the parent id is the field after the
# state, which follows the name in parentheses).
process_tree() {
    local root="$1" stat stat_line pid state ppid
    echo "$root"
    for stat in /proc/[0-9]*/stat; do
        stat_line="$(cat "$stat" 2>/dev/null)" || continue
        read -r state ppid _ <<<"${stat_line##*) }"
        if [ "$ppid" = "$root" ]; then
            pid="${stat#/proc/}"
            process_tree "${pid%/stat}"
        fi
    done
}

# utime + stime of one process in clock ticks (fields 14 and 15, counted after the name).
cpu_ticks() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || { echo 0; return; }
    stat="${stat##*) }"
    awk '{print $12 + $13}' <<<"$stat"
}

peak_kib() {
    awk '/^VmHWM:/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0
}

sample_start
sample_wait_for_window >/dev/null
sleep "$SETTLE_SECONDS"

pids="$(process_tree "$sample_program_pid")"
declare -A start_ticks
for pid in $pids; do
    start_ticks[$pid]="$(cpu_ticks "$pid")"
done
started="$(date +%s.%N)"
sleep "$IDLE_SECONDS"
elapsed="$(awk -v s="$started" -v e="$(date +%s.%N)" 'BEGIN {print e - s}')"

main_ticks=0
helper_ticks=0
helper_count=0
helper_peak=0
for pid in $pids; do
    used=$(($(cpu_ticks "$pid") - ${start_ticks[$pid]}))
    if [ "$pid" = "$sample_program_pid" ]; then
        main_ticks=$used
    else
        helper_ticks=$((helper_ticks + used))
        helper_count=$((helper_count + 1))
        helper_peak=$((helper_peak + $(peak_kib "$pid")))
    fi
done
main_peak="$(peak_kib "$sample_program_pid")"

awk -v main="$main_ticks" -v helpers="$helper_ticks" -v hz="$ticks_per_second" \
    -v elapsed="$elapsed" -v count="$helper_count" -v main_peak="$main_peak" \
    -v helper_peak="$helper_peak" 'BEGIN {
    printf "sat idle for %.1f s after start-up\n", elapsed
    printf "cpu time, main process: %.2f s (%.2f%%)\n", main / hz, 100 * main / hz / elapsed
    printf "cpu time, %d browser helper processes: %.2f s (%.2f%%)\n", count, helpers / hz,
           100 * helpers / hz / elapsed
    printf "peak memory (VmHWM), main process: %.1f MiB\n", main_peak / 1024
    printf "peak memory (VmHWM), helper processes together: %.1f MiB\n", helper_peak / 1024
    printf "idle cpu: %.2f%%\n", 100 * (main + helpers) / hz / elapsed
}'
