#!/bin/sh
# Measures how long quorvex takes from its start to its main window being mapped, and its resident
# memory once shown, against a bare Qt window with the same nineteen controls, on a private X server.
# Usage: bench/startup.sh [RUNS]   (after building the release preset; 40 runs by default)
set -eu
cd "$(dirname "$0")/.."
build=build/release
runs=${1:-40}
cmake --build --preset release --target quorvex quorvex-bare-window quorvex-startup-bench >/dev/null
echo "$(nproc) cores, $runs runs each, medians; Qt $(pkg-config --modversion Qt6Widgets 2>/dev/null || echo 6)"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$build/bench/quorvex-startup-bench" "$runs" "$build/app/quorvex" "$build/bench/quorvex-bare-window"
