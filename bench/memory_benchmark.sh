#!/usr/bin/env bash
# Measures the memory the program holds, shown and hidden in the tray: the proportional set
# size (PSS, each shared page counted as its share among the processes that map it) of the
# program and of every process it started, summed from /proc/PID/smaps_rollup. MB here is
# 1,000,000 bytes.
#
# The program runs under Xvfb over the sample program folder (four sites) with the banner
# strip of the maker's site: site/ is served by `php -S` on loopback and the program is pointed
# at it with FERQUOR_BASE_URL, so that a second after start it fetches the banner list and the
# images and writes php/banner.html and php/banner2.html. Each figure is taken once that page
# exists and SETTLE_SECONDS (5 by default) have passed.
#
# The program hides only where there is a notification area; without one a minimised window
# stays in the taskbar, and with no window manager, as under a bare Xvfb, on the screen. So
# wmdocker, a stand-alone tray, runs beside it, and each run checks that the program's icon is
# docked there.
#   shown:  an ordinary start; the main window with the banner strip is on the screen.
#   hidden: a start at log-in: the program is registered to run at start-up (a desktop entry
#           in its autostart folder) and started as that entry starts it, with --autostart,
#           so it starts in the tray: the main
#           window is never mapped and the banner strip is hidden, which the script checks.
#           Minimising is the window manager's job and there is none here; a window closed
#           into the tray after being shown holds about what it held shown.
# Each state is a run of its own over a fresh banner folder, one after the other.
#
# PSS shares a library's pages with every other process that maps it, so the figures are
# highest on an otherwise quiet machine and drop while other Qt programs run.
# Last line: "memory: shown X MB, hidden Y MB".
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
SETTLE_SECONDS="${SETTLE_SECONDS:-5}"
source scripts/sample_program.sh

php_pid=""
tray_pid=""

memory_cleanup() {
    sample_stop "$sample_program_pid"
    sample_program_pid=""
    sample_stop "$tray_pid"
    sample_stop "$php_pid"
    sample_cleanup
}
trap memory_cleanup EXIT

# Serves site/ on a free loopback port and exports its address as FERQUOR_BASE_URL; the
# statistics the program reports go to a throw-away database.
start_maker_site() {
    local port log="$sample_work/php.log"
    for _ in $(seq 20); do
        port=$((20000 + RANDOM % 40000))
        FERQUOR_STATS_DB="$sample_work/stats.sqlite" php -S "127.0.0.1:$port" -t site >"$log" 2>&1 &
        php_pid=$!
        for _ in $(seq 50); do
            if grep -q "(http://127.0.0.1:$port) started" "$log"; then
                export FERQUOR_BASE_URL="http://127.0.0.1:$port/"
                return 0
            fi
            kill -0 "$php_pid" 2>/dev/null || break
            sleep 0.1
        done
        sample_stop "$php_pid"
        php_pid=""
    done
    echo "php -S did not start" >&2
    exit 1
}

start_tray() {
    DISPLAY="$sample_display" wmdocker >/dev/null 2>&1 &
    tray_pid=$!
    for _ in $(seq 50); do
        DISPLAY="$sample_display" xwininfo -name Docker >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "wmdocker did not start" >&2
    exit 1
}

tray_holds_icon() {
    DISPLAY="$sample_display" xwininfo -name Docker -children | grep -q '"Ferrow Quorvel"'
}

# Each run starts without banners, so that it fetches them and writes the strip afresh.
forget_banners() {
    rm -rf "$sample_work/program/banner" "$sample_work/program/php/banner.html" \
        "$sample_work/program/php/banner2.html"
}

wait_for_banner_strip() {
    for _ in $(seq 300); do
        [ -f "$sample_work/program/php/banner.html" ] && return 0
        sleep 0.1
    done
    echo "no php/banner.html: the banners were not fetched" >&2
    exit 1
}

# Prints "PID NAME RSS PSS PSS_ANON PSS_FILE PSS_SHMEM PRIVATE" in kB for the program and
# each of its descendants.
memory_rows() {
    local pids=("$sample_program_pid") i=0 pid children
    while [ "$i" -lt "${#pids[@]}" ]; do
        read -ra children <<<"$(cat /proc/"${pids[i]}"/task/*/children 2>/dev/null || true)"
        pids+=("${children[@]}")
        i=$((i + 1))
    done
    for pid in "${pids[@]}"; do
        awk -v pid="$pid" -v name="$(cat "/proc/$pid/comm" 2>/dev/null)" '
            /^Rss:/ {rss = $2} /^Pss:/ {pss = $2} /^Pss_Anon:/ {anon = $2}
            /^Pss_File:/ {file = $2} /^Pss_Shmem:/ {shmem = $2} /^Private_/ {own += $2}
            END {print pid, name, rss, pss, anon, file, shmem, own}
        ' "/proc/$pid/smaps_rollup" 2>/dev/null || true
    done
}

# Prints the figures of one state and leaves its summed PSS in MB in measured_mb.
measure() {
    local state="$1" rows
    rows="$(memory_rows)"
    awk -v state="$state" 'function mb(kb) { return kb * 1024 / 1e6 }
        { printf "%s: %s (pid %d): pss %.1f MB (anon %.1f, file %.1f, shmem %.1f), " \
                 "rss %.1f MB, private %.1f MB\n", state, $2, $1, mb($4), mb($5), mb($6),
                 mb($7), mb($3), mb($8) }' <<<"$rows"
    measured_mb="$(awk '{kb += $4} END {printf "%.1f", kb * 1024 / 1e6}' <<<"$rows")"
    echo "$state: $(wc -l <<<"$rows") process(es), pss $measured_mb MB"
}

sample_make_program_folder
sample_start_xvfb
start_maker_site
start_tray

forget_banners
sample_start_program
sample_wait_for_window >/dev/null
wait_for_banner_strip
sleep "$SETTLE_SECONDS"
if ! tray_holds_icon; then
    echo "the tray icon is not in the tray" >&2
    exit 1
fi
measure shown
shown_mb="$measured_mb"
sample_stop "$sample_program_pid"
sample_program_pid=""

forget_banners
mkdir -p "$sample_work/home/.config/autostart"
printf '[Desktop Entry]\nType=Application\nName=Ferrow Quorvel\nExec="%s" --autostart\n' \
    "$(realpath "$sample_work/program/ferquor")" \
    >"$sample_work/home/.config/autostart/ferquor.desktop"
sample_start_program --autostart
wait_for_banner_strip
sleep "$SETTLE_SECONDS"
if sample_window_shown >/dev/null || ! tray_holds_icon; then
    echo "the program did not start hidden in the tray" >&2
    exit 1
fi
measure hidden
hidden_mb="$measured_mb"

echo "memory: shown $shown_mb MB, hidden $hidden_mb MB"
