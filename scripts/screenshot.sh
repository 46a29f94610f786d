#!/bin/sh
# SPDX-License-Identifier: MIT
# Takes the README's picture: plays a few rounds by keyboard on a virtual
# screen and photographs the table as the fifth round is judged.
#
#   screenshot.sh RUNTIME_FOLDER OUTPUT.png
set -eu

# Runs inside the virtual screen.
play() {
    cd "$runtime"
    VELL_TIME_SCALE=0.1 VELL_PLAYER_NAME= ./vell 2>/dev/null &
    game=$!
    window=$(xdotool search --sync --name '^Vell$' | head -n 1)
    xdotool mousemove --window "$window" 320 300 click 1
    xdotool key --window "$window" ctrl+b
    sleep 0.9
    # One round takes 1.05 s at this time scale; the verdict shows 0.45 s
    # after the card is played.
    for key in 9 3 q 6; do
        xdotool key --window "$window" "$key"
        sleep 1.05
    done
    xdotool key --window "$window" k
    sleep 0.5
    import -window root -crop 640x480+0+0 +repage "$output"
    kill "$game"
}

if [ "$1" = "--inside" ]; then
    runtime=$2
    output=$3
    play
    exit 0
fi
runtime=$(cd "$1" && pwd)
output=$(realpath -m "$2")
mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 640x480x24" sh "$0" --inside "$runtime" "$output"
echo "wrote $output"
