#!/usr/bin/env bash
# Cross builds the game core and the system-information lookup for 64-bit
# Windows with mingw-w64 and runs their tests under Wine, in one private prefix
# whose registry the tests write.
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
if [ ! -f "$work/googletest/.installed" ]; then
    cmake -S /usr/src/googletest -B "$work/googletest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$work/googletest" >/dev/null
    cmake --build "$work/googletest-build" -j 2 >/dev/null
    cmake --install "$work/googletest-build" >/dev/null
    touch "$work/googletest/.installed"
fi

# Without the Qt window. Unoptimised: GCC 12 gives false -Wrestrict warnings in
# libstdc++'s string code at -O2 (GCC bug 105329), and warnings are errors.
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Debug -DMORVINT_BUILD_UI=OFF -DCMAKE_PREFIX_PATH="$work/googletest" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
cmake --build "$work/build" -j 2 --target morvint_core_tests sysinfo_test
wait $boot || { cat "$work/wineboot.log" >&2; exit 1; }
cd "$work/build/tests/sysinfo"
wine sysinfo_test.exe
wine "$work/build/tests/core/morvint_core_tests.exe"
