#!/usr/bin/env bash
# Times one check pass (without its per-site pause) over a site of 10,000 watched files served
# by `php -S` on loopback, against the local scan plus curl posting the same body to the same
# report script. Prints the best time of each and, last, "check/(scan+curl) ratio: X.XX".
# BUILD_DIR (default: build) is the build folder; it is configured when it does not exist yet.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$BUILD_DIR" --target check_benchmark -- -j2 >/dev/null
exec "$BUILD_DIR/bench/check_benchmark" "$@"
