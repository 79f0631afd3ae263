# shellcheck shell=bash
# Sourced by scripts/screenshot and the benchmarks in bench/: runs the built program under
# Xvfb over a throw-away program folder with a few sites. Expects BUILD_DIR to be set.

sample_work="$(mktemp -d)"
sample_xvfb_pid=""
sample_program_pid=""
sample_display=""
sample_caption="Ferrow Quorvel 2020 - v1.4 - Freeware"

# Ends a process started here and waits for it; an empty id is no process.
sample_stop() {
    if [ -n "$1" ]; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}

sample_cleanup() {
    sample_stop "$sample_program_pid"
    sample_stop "$sample_xvfb_pid"
    rm -rf "$sample_work"
}
trap sample_cleanup EXIT

# Copies the executable and php/ into a fresh program folder with a site list of four sites.
sample_make_program_folder() {
    if [ ! -x "$BUILD_DIR/ferquor" ]; then
        echo "no $BUILD_DIR/ferquor: build first (scripts/test)" >&2
        exit 1
    fi
    mkdir -p "$sample_work/program" "$sample_work/home" "$sample_work/runtime"
    chmod 700 "$sample_work/runtime"
    cp "$BUILD_DIR/ferquor" "$sample_work/program/"
    cp -r "$BUILD_DIR/php" "$sample_work/program/"
    printf '%s\r\n' \
        'php,js,htm,asp<>s3cret' \
        'http://www.example.com/<>/home/me/sites/example/' \
        'http://shop.example.net/<>/home/me/sites/shop/' \
        'http://blog.example.org/<>/home/me/sites/blog/<>1' \
        'http://intranet.example.com/<>/home/me/sites/intranet/' \
        >"$sample_work/program/ferquor.ini"
}

# Starts Xvfb on a free display (96 dots per inch, so 15 twips per pixel).
sample_start_xvfb() {
    exec 3>"$sample_work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    sample_xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$sample_work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$sample_work/display" ]; then
        echo "Xvfb did not start" >&2
        exit 1
    fi
    sample_display=":$(head -n1 "$sample_work/display")"
}

# Starts the program from the sample folder, with a home and settings of its own.
sample_start_program() {
    DISPLAY="$sample_display" HOME="$sample_work/home" XDG_CONFIG_HOME="$sample_work/home/.config" \
        XDG_RUNTIME_DIR="$sample_work/runtime" "$sample_work/program/ferquor" "$@" >/dev/null 2>&1 &
    sample_program_pid=$!
}

# Prints xwininfo's account of the main window when the window is on the screen; fails
# otherwise.
sample_window_shown() {
    local info
    info="$(DISPLAY="$sample_display" xwininfo -name "$sample_caption" 2>/dev/null)" &&
        grep -q 'Map State: IsViewable' <<<"$info" && echo "$info"
}

# Waits until the main window is on the screen and prints its geometry as WxH+X+Y.
sample_wait_for_window() {
    local info
    for _ in $(seq 200); do
        if info="$(sample_window_shown)"; then
            awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                 /Width:/ {w=$NF} /Height:/ {h=$NF}
                 END {printf "%dx%d+%d+%d\n", w, h, x, y}' <<<"$info"
            return 0
        fi
        sleep 0.1
    done
    echo "the main window did not appear" >&2
    return 1
}

sample_start() {
    sample_make_program_folder
    sample_start_xvfb
    sample_start_program
}
