#!/usr/bin/env bash
# Times the signed-list check of a site of 30,000 watched files against its floor (see
# bench/listing_benchmark.cpp): a first pass with nothing cached, and a second one that must
# hash no local file. BUILD_DIR (default: build) is the build folder; it is configured when it
# does not exist yet.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$BUILD_DIR" --target listing_benchmark -- -j2 >/dev/null
exec "$BUILD_DIR/bench/listing_benchmark" "$@"
