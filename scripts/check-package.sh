#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs a built Debian package on this machine, with what it depends on,
# and starts the installed game on a virtual screen of its own as a player
# would, from a folder without data: it must show its window with its cards,
# write nothing to standard output, and end on SIGTERM as a signal's end does.
#
#   check-package.sh vell_VERSION_ARCH.deb
set -eu

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs inside the virtual screen.
if [ "$1" = "--inside" ]; then
    program=$2
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cd "$scratch"
    env QT_LOGGING_RULES="vell.debug=true" VELL_PLAYER_NAME= "$program" \
        > "$scratch/stdout.log" 2> "$scratch/stderr.log" &
    game=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vell$' | head -n 1) || true
    [ -n "$window" ] || { kill "$game"; cat "$scratch/stderr.log" >&2; fail "no window within 20 s"; }
    kill -TERM "$game"
    status=0
    wait "$game" || status=$?
    [ "$status" -eq 143 ] || { cat "$scratch/stderr.log" >&2; fail "ended with $status after SIGTERM, not 143"; }
    ! grep -q "no image" "$scratch/stderr.log" || { cat "$scratch/stderr.log" >&2; fail "card images missing"; }
    [ ! -s "$scratch/stdout.log" ] || fail "the game wrote to standard output"
    echo "the installed $program showed its window with its cards and ended on SIGTERM"
    exit 0
fi

deb=$(realpath "$1")
sh "$(dirname "$0")/install-deps.sh" xvfb xauth xdotool
if [ "$(id -u)" -eq 0 ]; then run=""; else run="sudo"; fi
DEBIAN_FRONTEND=noninteractive $run apt-get install -y -qq "$deb" > /dev/null
dpkg-query -W -f='installed ${Package} ${Version}, depending on ${Depends}\n' vell
program=$(dpkg -L vell | grep -E '/(games|bin)/vell$' | head -n 1)
[ -x "$program" ] || fail "the package installs no program"
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" sh "$0" --inside "$program"
