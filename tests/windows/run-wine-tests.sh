#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross builds the system-information lookup's tests and morvint-replay for
# 64-bit Windows with mingw-w64 and runs under Wine, in one private prefix, the
# tests (which write the prefix's registry) and every golden script.
# Usage: run-wine-tests.sh SOURCE_DIR WORK_DIR (kept between runs: GoogleTest,
# the build and the prefix).
set -euo pipefail
src=$(realpath "$1") work=$(mkdir -p "$2" && realpath "$2")
cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true' EXIT
# GoogleTest for Windows, from Debian's sources; the build without the Qt window,
# unoptimised: GCC 12 gives false -Wrestrict warnings in libstdc++'s string code
# at -O2 (GCC bug 105329), and warnings are errors.
[ -f "$work/googletest/lib/libgtest.a" ] || { cmake -S /usr/src/googletest -B "$work/gtest" \
    "${cross[@]}" -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$work/googletest" >/dev/null
    cmake --build "$work/gtest" -j 2 --target install >/dev/null; }
cmake -S "$src" -B "$work/build" "${cross[@]}" -DCMAKE_BUILD_TYPE=Debug -DMORVINT_BUILD_UI=OFF \
    -DCMAKE_PREFIX_PATH="$work/googletest" >/dev/null
cmake --build "$work/build" -j 2 --target test_sysinfo morvint-replay
wine "$work/build/tests/test_sysinfo.exe"
# Relative paths: Wine hands arguments over unchanged, and C: is not /.
cd "$src/tests/golden"
python3 golden.py check wine "$work/build/tools/replay/morvint-replay.exe" -- *.script
