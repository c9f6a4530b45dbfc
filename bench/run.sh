#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the three benchmarks and prints their figures:
#   1. start-up: time to the first paint of the main window and resident memory
#      at that moment, the game and the game without caption fitting each against
#      a minimal Qt window of the same controls, interleaved, under Xvfb with no
#      window manager;
#   2. the game core's clicks per second in scripted play, no display;
#   3. the cost of one Cross press over many crossings of a sound bridge, in the
#      real main window under Xvfb and in the core alone.
#
#   bench/run.sh [--build-dir DIR] [--no-build] [--rounds N] [--clicks N] [--crossings N]
#
# Defaults: build/dev (built first), 21 rounds, 2,000,000 clicks, 10,000 crossings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/dev"
do_build=1
rounds=21
clicks=2000000
crossings=10000
while (($#)); do
    case "$1" in
        --build-dir) build=$2; shift 2 ;;
        --no-build) do_build=0; shift ;;
        --rounds) rounds=$2; shift 2 ;;
        --clicks) clicks=$2; shift 2 ;;
        --crossings) crossings=$2; shift 2 ;;
        *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
done

if ((do_build)); then
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake --preset dev
    fi
    cmake --build "$build" --target morvint morvint-no-fitting morvint-minimal-window morvint-startup-probe \
        morvint-core-throughput morvint-scaling
fi

bench="$build/bench"
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")
export QT_QPA_PLATFORM=xcb

echo "== Start-up: $rounds rounds, the game and the game without caption fitting against the minimal window =="
"${xvfb[@]}" "$bench/morvint-startup-probe" --rounds "$rounds" --maps \
    "$build/app/morvint" "$bench/morvint-no-fitting" "$bench/morvint-minimal-window"
echo
echo "== Core throughput: $clicks scripted clicks =="
"$bench/morvint-core-throughput" "$clicks"
echo
bucket=$((crossings >= 10 ? crossings / 10 : crossings))
echo "== Scaling: $crossings crossings of the sound bridge, buckets of $bucket =="
"${xvfb[@]}" "$bench/morvint-scaling" "$crossings" "$bucket"
