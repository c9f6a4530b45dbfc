#!/usr/bin/env bash
# Cross builds the game core, the system-information lookup and their tests
# for 64-bit Windows with mingw-w64, then runs them under Wine in a private
# prefix whose registry the tests write.
#
# Usage: run-wine-tests.sh SOURCE_DIR WORK_DIR
# WORK_DIR keeps the GoogleTest build, the cross build and the Wine prefix, so
# that a second run only rebuilds what changed.
set -euo pipefail
src=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
toolchain="$src/cmake/mingw-w64.cmake"
jobs=$(nproc)

export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Headless: no window of Wine's own may need a display.
unset DISPLAY WAYLAND_DISPLAY

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT

# Setting up a new prefix takes a while; it runs while the compiler works.
boot_pid=""
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wine wineboot --init >"$work/wineboot.log" 2>&1 &
    boot_pid=$!
fi

# GoogleTest for Windows, from Debian's sources.
gtest="$work/googletest"
if [ ! -f "$gtest/.installed" ]; then
    cmake -S /usr/src/googletest -B "$work/googletest-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$gtest" -Dgtest_disable_pthreads=OFF >/dev/null
    cmake --build "$work/googletest-build" -j "$jobs" >/dev/null
    cmake --install "$work/googletest-build" >/dev/null
    touch "$gtest/.installed"
fi

# The project without its Qt window, which has no Windows Qt to build with.
# Unoptimised: GCC 12 gives false -Wrestrict warnings inside libstdc++'s string
# code at -O2 (GCC bug 105329), and warnings are errors.
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Debug \
    -DMORVINT_BUILD_UI=OFF -DMORVINT_BUILD_TESTS=ON -DMORVINT_WERROR=ON \
    -DCMAKE_PREFIX_PATH="$gtest" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
tests=(morvint_core_tests sysinfo_test sysinfo_wine_test resource_test)
cmake --build "$work/build" -j "$jobs" --target "${tests[@]}" marker_program

if [ -n "$boot_pid" ] && ! wait "$boot_pid"; then
    cat "$work/wineboot.log" >&2
    echo "Creating the Wine prefix failed" >&2
    exit 1
fi

failed=()
for test in "${tests[@]}"; do
    exe=$(find "$work/build" -name "$test.exe" -print -quit)
    if [ -z "$exe" ]; then
        echo "$test.exe was not built" >&2
        failed+=("$test")
        continue
    fi
    echo "=== $test (under Wine)"
    if ! (cd "$(dirname "$exe")" && wine "$exe"); then
        failed+=("$test")
    fi
done
if ((${#failed[@]})); then
    echo "Failed under Wine: ${failed[*]}" >&2
    exit 1
fi
echo "All Windows tests passed under Wine"
