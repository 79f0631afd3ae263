# shellcheck shell=bash
# Sourced by scripts/run and scripts/screenshot: a demo program folder over two sites served
# on loopback from copies of demo/ (the shop matches its local copy, the blog has a line
# injected into one PHP file) and the maker's site of site/, served for the banners and the
# usage statistics. Ports are DEMO_PORT (default 8470) for the maker's site and the next two
# for the shop and the blog. Run from the top of the repository.

demo_port="${DEMO_PORT:-8470}"
demo_server_pids=()

demo_stop_servers() {
    if [ ${#demo_server_pids[@]} -gt 0 ]; then
        kill "${demo_server_pids[@]}" 2>/dev/null || true
        wait "${demo_server_pids[@]}" 2>/dev/null || true
    fi
    demo_server_pids=()
}

# Makes the program folder $1 from the build folder $2: the executable, its shipped pages
# and, when the folder has none yet, the site list. Then the servers' copies of the sites,
# each with the report script; the blog's header carries an injected script, the way a
# break-in leaves one.
demo_make_program_folder() {
    local folder="$1" build="$2" site
    mkdir -p "$folder/php" "$folder/www"
    cp "$build/ferquor" "$folder/"
    cp php/000.html php/001.html php/free.gif "$folder/php/"
    if [ ! -e "$folder/ferquor.ini" ]; then
        printf '%s\r\n' "php,js,htm,asp<>demo-watch" \
            "http://127.0.0.1:$((demo_port + 1))/<>$PWD/demo/shop/" \
            "http://127.0.0.1:$((demo_port + 2))/<>$PWD/demo/blog/" >"$folder/ferquor.ini"
    fi
    for site in shop blog; do
        rm -rf "${folder:?}/www/$site"
        cp -r "demo/$site" "$folder/www/$site"
        cp demo/_report.php "$folder/www/$site/"
    done
    sed -i 's|^<head>$|<head>\n<script src="http://cdn.example.net/jquery.min.js"></script>|' \
        "$folder/www/blog/inc/header.php"
}

# Serves folder $3 on 127.0.0.1:$2 and waits until it listens; its log goes into folder $1.
demo_serve() {
    local log="$1/www/php-$2.log"
    php -S "127.0.0.1:$2" -t "$3" >"$log" 2>&1 &
    demo_server_pids+=($!)
    for _ in $(seq 50); do
        if grep -q "started" "$log"; then
            return 0
        fi
        if ! kill -0 "${demo_server_pids[-1]}" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    echo "could not serve $3 on port $2 (is the demo running already?):" >&2
    cat "$log" >&2
    exit 1
}

# Serves the demo of program folder $1 and exports FERQUOR_BASE_URL for the program.
demo_start_servers() {
    demo_serve "$1" "$((demo_port + 1))" "$1/www/shop"
    demo_serve "$1" "$((demo_port + 2))" "$1/www/blog"
    FERQUOR_STATS_DB="$1/stats.sqlite" demo_serve "$1" "$demo_port" site
    export FERQUOR_BASE_URL="http://127.0.0.1:$demo_port/"
}
