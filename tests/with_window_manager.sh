#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a test program on an X server and a window manager of its own:
# openbox, or the one VELL_TEST_WM names. Skips (77) without them.
#
#   with_window_manager.sh PROGRAM [ARGS...]
set -u
wm=${VELL_TEST_WM:-openbox}
for tool in xvfb-run "$wm" xprop xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
if [ "$1" != "--inside" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset -nolisten tcp" sh "$0" --inside "$@"
fi
shift
# The manager's settings and log are its own, not those of the person
# running the test.
home=$(mktemp -d)
HOME=$home XDG_CONFIG_HOME=$home XDG_CACHE_HOME=$home XDG_DATA_HOME=$home XDG_STATE_HOME=$home \
    "$wm" > /dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null; rm -rf "$home"' EXIT
# It is up once it says so on the root window.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; do
    tries=$((tries + 1))
    [ "$tries" -lt 200 ] || { echo "$wm did not start"; exit 1; }
    sleep 0.05
done
# On an X server Qt's keyboard library hands strndup a name without its
# end, as strndup allows; the address sanitizer's strict string checks
# would take that for an error of the program's.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0" QT_QPA_PLATFORM=xcb "$@"
