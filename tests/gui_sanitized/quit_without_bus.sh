#!/bin/sh
# SPDX-License-Identifier: MIT
# The game of the sanitizer build, started in a virtual display with no D-Bus
# session bus and with Qt options it must ignore, then quit with Ctrl+Q: it must
# end with status 0 and no sanitizer report. With CANARY, a library that leaks
# one block, preloaded: that one leak must come through the same suppressions.
#
#   quit_without_bus.sh MORVINT LSAN-SUPPRESSIONS [CANARY]
set -u
program=$1 suppressions=$2 canary=${3:-}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1${canary:+:verify_asan_link_order=0}"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=1"
unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM WAYLAND_DISPLAY

# The window keeps its title "Morvint" whatever -qwindowtitle says.
xvfb-run -a sh -c '
    LD_PRELOAD="$3" "$1" -qwindowtitle Hacked -reverse 2>"$2" &
    window=$(timeout 120 xdotool search --sync --onlyvisible --name "^Morvint\$" | head -n 1)
    [ -n "$window" ] && xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q ||
        kill $!
    wait $!
' sh "$program" "$log" "$canary"
status=$?
cat "$log"
echo "exit status $status"

if [ -z "$canary" ]; then
    [ $status -eq 0 ] && ! grep -qE 'Sanitizer|runtime error:' "$log" &&
        echo "PASS: quit cleanly without a session bus"
else
    [ $status -ne 0 ] && [ "$(grep -c '^Direct leak' "$log")" -eq 1 ] &&
        ! grep -q '^Indirect leak' "$log" && grep -q morvint_leak_canary "$log" &&
        echo "PASS: the planted leak was reported, and nothing else"
fi
