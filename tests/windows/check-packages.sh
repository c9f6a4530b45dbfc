#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the ZIP and the installer of a Windows cross build with CPack; the ZIP must
# hold the game, its license and its read-me and nothing else. The installer then
# runs silently under Wine in a fresh prefix: the game and a Start-menu shortcut to
# it must be there, and gone again after the silent uninstall.
# Usage: check-packages.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$(realpath "$1") work=$(mkdir -p "$2" && realpath "$2")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C
rm -rf "$WINEPREFIX" "$work"/Morvint-*
trap 'wineserver -k 2>/dev/null || true' EXIT
same() { [ "$1" = "$2" ] || { echo "expected [$2], found [$1]" >&2; return 1; }; }
cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
same "$(unzip -Z1 "$work"/Morvint-*-win64.zip | sort | paste -sd' ')" "LICENSE Morvint.exe README.txt"
# A silent install needs no display. The uninstaller returns at once and removes
# the files from a copy of itself: wineserver -w waits for the copy to end.
DISPLAY= wine "$work"/Morvint-*-win64.exe /S
wineserver -w
dir="$WINEPREFIX/drive_c/Program Files/Morvint"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvint"
same "$(ls -A "$dir" | paste -sd' ')" "LICENSE Morvint.exe README.txt Uninstall.exe"
same "$(ls -A "$menu" | paste -sd' ')" "Morvint.lnk Uninstall.lnk"
grep -qaF 'C:\Program Files\Morvint\Morvint.exe' "$menu/Morvint.lnk" ||
    { echo "Morvint.lnk does not start C:\Program Files\Morvint\Morvint.exe" >&2; exit 1; }
DISPLAY= wine "C:\\Program Files\\Morvint\\Uninstall.exe" /S
wineserver -w
same "$(ls -d "$dir" "$menu" 2>/dev/null || true)" ""
