#!/usr/bin/env bash
# Cross builds the system-information lookup and morvint-replay for 64-bit
# Windows with mingw-w64 and runs under Wine, in one private prefix, the
# lookup's tests (which write the prefix's registry) and every golden script.
# Usage: run-wine-tests.sh SOURCE_DIR WORK_DIR (kept between runs: GoogleTest,
# the build and the prefix).
set -euo pipefail
src=$(realpath "$1")
mkdir -p "$2"
work=$(realpath "$2")
toolchain="$src/cmake/mingw-w64.cmake"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true' EXIT
# A new prefix takes a while to set up: it does so while the compiler works.
{ [ -f "$WINEPREFIX/system.reg" ] || wine wineboot --init >"$work/wineboot.log" 2>&1; } &
boot=$!

# GoogleTest for Windows, from Debian's sources.
if [ ! -f "$work/googletest/lib/libgtest.a" ]; then
    cmake -S /usr/src/googletest -B "$work/googletest-build" -G Ninja -DBUILD_GMOCK=OFF \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$work/googletest" >/dev/null
    cmake --build "$work/googletest-build" -j 2 --target install >/dev/null
fi

# Without the Qt window. Unoptimised: GCC 12 gives false -Wrestrict warnings in
# libstdc++'s string code at -O2 (GCC bug 105329), and warnings are errors.
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Debug -DMORVINT_BUILD_UI=OFF -DCMAKE_PREFIX_PATH="$work/googletest" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
cmake --build "$work/build" -j 2 --target sysinfo_test morvint-replay
wait $boot || { cat "$work/wineboot.log" >&2; exit 1; }
(cd "$work/build/tests/sysinfo" && wine sysinfo_test.exe)
# Relative paths: Wine hands arguments over unchanged, and C: is not /.
cd "$src/tests/golden"
python3 golden.py check wine "$work/build/tools/replay/morvint-replay.exe" -- *.script
