#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross builds the system-information lookup's tests, morvint-replay and the Win32
# front end for 64-bit Windows with mingw-w64 and runs under Wine, in a private
# prefix, the tests (which write the prefix's registry) and every golden script,
# then, in a second one on a virtual X display of its own, every golden script
# again through the Win32 main window (morvint-win32-replay), and the window
# scripts of keys and focus, whose keys xdotool presses; the real game's window is
# read from outside (morvint-win32-probe) and compared with the Qt window's layout,
# and its captions judged on screenshots at two DPI; last, the ZIP and the installer
# (check-packages.sh).
# Usage: run-wine-tests.sh SOURCE_DIR WORK_DIR [INK_CHECK] (the work folder is kept
# between runs: GoogleTest, the build and the prefixes).
set -euo pipefail
[ -n "${MORVINT_XVFB:-}" ] || MORVINT_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
src=$(realpath "$1") work=$(mkdir -p "$2" && realpath "$2")
cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true' EXIT
# GoogleTest for Windows, from Debian's sources; the build of the preset windows
# (without the Qt window, unoptimised: GCC 12 gives false -Wrestrict warnings in
# libstdc++'s string code at -O2, GCC bug 105329, and warnings are errors) with the tests.
[ -f "$work/googletest/lib/libgtest.a" ] || { cmake -S /usr/src/googletest -B "$work/gtest" \
    "${cross[@]}" -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$work/googletest" >/dev/null
    cmake --build "$work/gtest" -j 2 --target install >/dev/null; }
cmake -S "$src" --preset windows -B "$work/build" -DMORVINT_BUILD_TESTS=ON \
    -DCMAKE_PREFIX_PATH="$work/googletest" >/dev/null
cmake --build "$work/build" -j 2 --target test_sysinfo morvint-replay morvint-win32-replay \
    morvint-win32-probe Morvint
# Morvint.exe needs no DLL but the system's own.
! x86_64-w64-mingw32-objdump -p "$work/build/ui/win32/Morvint.exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -vixE '(kernel32|user32|gdi32|comctl32|advapi32|shell32|ole32|oleaut32|uxtheme|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll' || exit 1
# Relative paths: Wine hands arguments over unchanged, and C: is not /.
cd "$src/tests/golden"
# Without a display first, as on a machine without one.
DISPLAY= wine "$work/build/tests/test_sysinfo.exe"
DISPLAY= python3 golden.py check wine "$work/build/tools/replay/morvint-replay.exe" -- *.script
# The window in a prefix of its own, which puts every window in a virtual desktop.
# Debian's Wine does not find its own fonts (fonts-wine): the prefix's font folder
# links them.
export WINEPREFIX="$work/window-prefix"
wine reg import ../windows/prefix.reg
ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# Wine's virtual desktop comes first, alone: a window opened while it is being
# made may fail (BadWindow). Morvint.exe then stays open on it while the scripts
# play: the desktop closes a second after its last program, and one opened again
# by a script's window would hold the check's output open until it closes.
wine explorer /desktop=Morvint,1280x1024 >/dev/null 2>&1 &
timeout 60 xdotool search --sync --name 'Wine desktop' >/dev/null
wine "$work/build/ui/win32/Morvint.exe" >/dev/null 2>&1 &
morvint=$!
timeout 60 xdotool search --sync --name '^Morvint$' >/dev/null
# Its controls, read from outside at the start and with the About box open, are
# the Qt windows'.
wine "$work/build/tests/morvint-win32-probe.exe" >"$work/probe.txt"
python3 ../windows/check_layout.py ../window/layout.out "$work/probe.txt"
xdotool search --onlyvisible --class morvint.exe windowfocus --sync key alt+h a
timeout 20 xdotool search --sync --onlyvisible --name '^About MyApp$' >/dev/null
wine "$work/build/tests/morvint-win32-probe.exe" >"$work/probe.txt"
python3 ../windows/check_layout.py ../window/layout.out "$work/probe.txt"
python3 golden.py check wine "$work/build/tests/morvint-win32-replay.exe" -- *.script \
    ../window/{clock,keys,focus,about,question_keys,undo_key,sysinfo_message,reader}.script
# What the window tells a screen reader through UI Automation, as the "#>" lines say.
for script in $(grep -l '^#>' ./*.script); do
    wine "$work/build/tests/morvint-win32-replay.exe" --spoken "$script"
done
kill -0 "$morvint"  # and it still runs
# The captions whole at 96 and 144 dots per inch (the prefix's LogPixels), judged on
# screenshots with and without them (morvint-ink-check, built with Qt, when given):
# the main window alone, then with the About box in front; at 144 the client area is
# 553 or 554 by 354 pixels.
restart() {  # DPI [keys]
    wineserver -k && wineserver -w
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    wine explorer /desktop=Morvint,1280x1024 >/dev/null 2>&1 &
    timeout 60 xdotool search --sync --name 'Wine desktop' >/dev/null
    wine "$work/build/ui/win32/Morvint.exe" >/dev/null 2>&1 &
    timeout 60 xdotool search --sync --onlyvisible --class morvint.exe windowfocus --sync \
        ${2:+key $2} >/dev/null
}
judge() {  # NAME DPI
    wine "$work/build/tests/morvint-win32-probe.exe" >"$work/$1.txt"
    import -window root "$work/$1.png"
    wine "$work/build/tests/morvint-win32-probe.exe" --blank >/dev/null
    sleep 1
    import -window root "$work/$1-blank.png"
    "$ink" "$work/$1.png" "$work/$1-blank.png" "$work/$1.txt" "$2"
}
ink=${3:-}
for dpi in ${ink:+96 144}; do
    restart "$dpi"
    judge "main$dpi" "$dpi"
    restart "$dpi" "alt+h a"
    timeout 20 xdotool search --sync --onlyvisible --name '^About MyApp$' >/dev/null
    judge "about$dpi" "$dpi"
done
[ -z "$ink" ] || grep -qE '^\{"window":"Morvint".*"client":"55[34] 354"' "$work/main144.txt" ||
    { echo "at 144 dots per inch the client area is not 553-554 by 354" >&2; exit 1; }
# The ZIP and the installer, in a prefix of their own.
"$src/tests/windows/check-packages.sh" "$work/build" "$work/packages"
