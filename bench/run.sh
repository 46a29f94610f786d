#!/bin/sh
# SPDX-License-Identifier: MIT
# Measures what a player gets: start-up to the first pixels on an X server,
# the steps of a whole match at time scale 1, peak memory over a match, and
# the cost of an idle table. Everything runs on a private Xvfb and, when
# pulseaudio is installed, a private audio server that plays into nothing.
# Prints each figure as it comes and records them all in OUTPUT. A
# measurement that fails is tried again, twice at most; one that still fails
# leaves its round out. Both are counted in OUTPUT.
#
#   run.sh BUILD_DIR OUTPUT.md        (make bench does this)
#
# Repetitions: VELL_BENCH_STARTUP_RUNS (default 21), VELL_BENCH_MEMORY_RUNS (5),
# VELL_BENCH_STEP_RUNS (3), VELL_BENCH_LOADED_STEP_RUNS (2), VELL_BENCH_IDLE_RUNS (3).
set -eu
build=$(cd "$1" && pwd)
output=$(realpath -m "$2")
startup_runs=${VELL_BENCH_STARTUP_RUNS:-21}
memory_runs=${VELL_BENCH_MEMORY_RUNS:-5}
step_runs=${VELL_BENCH_STEP_RUNS:-3}
loaded_step_runs=${VELL_BENCH_LOADED_STEP_RUNS:-2}
idle_runs=${VELL_BENCH_IDLE_RUNS:-3}
# The match for memory runs this much faster than in play.
memory_scale=0.05

bench="$build/bench"
probe="$bench/bench_xprobe"
empty="$bench/bench_empty_window"
empty_sound="$bench/bench_empty_window_sound"
empty_text="$bench/bench_empty_window_text"
work=$(mktemp -d)
log="$work/stderr.log"
xvfb_pid=""
pulse_pid=""
load_pids=""
cleanup() {
    for pid in $xvfb_pid $pulse_pid $load_pids; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for tool in Xvfb xdotool "$probe" "$empty" "$empty_sound" "$empty_text" "$bench/bench_steps"; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (make bench installs and builds it)" >&2; exit 1; }
done

fail() {
    echo "run.sh: $*" >&2
    tail -n 20 "$log" >&2 || true
    exit 1
}

# --- the private servers ----------------------------------------------------

Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANGUAGE=
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
unset QT_LOGGING_RULES VELL_TIME_SCALE 2>/dev/null || true

sound="no audio server (pulseaudio is not installed): the game ran silent"
if command -v pulseaudio >/dev/null; then
    mkdir -p "$work/pulse/runtime"
    chmod 700 "$work/pulse/runtime"
    HOME="$work/pulse" XDG_RUNTIME_DIR="$work/pulse/runtime" XDG_CONFIG_HOME="$work/pulse/config" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes --log-level=0 \
        -L "module-null-sink sink_name=vell_bench" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" 2>"$work/pulse.log" &
    pulse_pid=$!
    for _ in $(seq 100); do
        [ -S "$work/pulse/native" ] && break
        sleep 0.1
    done
    if [ -S "$work/pulse/native" ]; then
        export PULSE_SERVER="unix:$work/pulse/native"
        sound="a private PulseAudio server playing into a null sink"
    else
        sound="no audio server (pulseaudio did not start): the game ran silent"
    fi
fi

# --- helpers ----------------------------------------------------------------

load() { cut -d' ' -f1-3 /proc/loadavg; }
# The value of key in a file of "key value" lines.
value() { awk -v key="$1" '$1 == key { print $2; exit }' "$2"; }
# min / median / max of the numbers in a file, one a line, with digits decimals.
stats() {
    sort -g "$1" | awk -v d="${2:-1}" '{ v[NR] = $1 }
        END {
            if (NR == 0) { print "- / - / -"; exit }
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.*f / %.*f / %.*f\n", d, v[1], d, m, d, v[NR]
        }'
}
median() { stats "$1" "${2:-3}" | awk -F' / ' '{ print $2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# Ratios of paired runs: line i of the first file over line i of the second.
paired() { paste "$1" "$2" | awk '{ printf "%.4f\n", $1 / $2 }' > "$3"; }
met() { awk -v x="$1" -v limit="$2" 'BEGIN { exit !(x <= limit) }'; }

# Runs the command given, its output into $work/out. A try that fails is
# tried again, twice at most; a third failure leaves the round out.
retried=0
left_out=0
measure() {
    for try in 1 2 3; do
        if "$@" > "$work/out" 2>>"$log"; then
            return 0
        fi
        echo "   (a try failed: $(tail -n1 "$log"))"
        [ "$try" -eq 3 ] || retried=$((retried + 1))
    done
    left_out=$((left_out + 1))
    return 1
}
# A round's figures are kept only when the whole round was measured: each
# line of $work/round, "series value", goes to the file of its series.
keep() {
    while read -r series figure; do
        echo "$figure" >> "$work/$series"
    done < "$work/round"
}

cd "$build/runtime"

# --- start-up ---------------------------------------------------------------

echo "== Start-up: exec to the first pixels on the X server, $startup_runs interleaved runs each"
echo "   reproduce: cd $build/runtime && VELL_PLAYER_NAME= ../bench/bench_xprobe -- ./vell; ../bench/bench_xprobe -- ../bench/bench_empty_window"
echo "              VELL_PLAYER_NAME=Bench ../bench/bench_xprobe --answer-box -- ./vell"
startup_load_before=$(load)
# One untimed run of each first, so that every timed run finds the files cached.
VELL_PLAYER_NAME= "$probe" -- ./vell >/dev/null 2>>"$log" || true
for program in "$empty" "$empty_sound" "$empty_text"; do
    "$probe" -- "$program" >/dev/null 2>>"$log" || true
done
VELL_PLAYER_NAME=Bench "$probe" --answer-box -- ./vell >/dev/null 2>>"$log" || true
for series in game empty empty_sound text box after_box; do
    : > "$work/start_$series"
    : > "$work/created_$series"
done
# Each program once, the figures of a whole round written to $work/round.
startup_round() {
    : > "$work/round"
    for series in game empty empty_sound text; do
        case $series in
            game) measure env VELL_PLAYER_NAME= "$probe" -- ./vell || return 1 ;;
            empty) measure "$probe" -- "$empty" || return 1 ;;
            empty_sound) measure "$probe" -- "$empty_sound" || return 1 ;;
            text) measure "$probe" -- "$empty_text" || return 1 ;;
        esac
        echo "start_$series $(value first_pixels_ms "$work/out")" >> "$work/round"
        echo "created_$series $(value window_created_ms "$work/out")" >> "$work/round"
    done
    measure env VELL_PLAYER_NAME=Bench "$probe" --answer-box -- ./vell || return 1
    echo "start_box $(value first_pixels_ms "$work/out")" >> "$work/round"
    echo "start_after_box $(value main_first_pixels_ms "$work/out")" >> "$work/round"
}
for run in $(seq "$startup_runs"); do
    if ! startup_round; then
        echo "   run $run left out"
        continue
    fi
    keep
    printf '   run %s: vell %s ms, empty window %s ms (with sound %s ms, with text %s ms), box %s ms, table after the box %s ms\n' "$run" \
        "$(tail -n1 "$work/start_game")" "$(tail -n1 "$work/start_empty")" "$(tail -n1 "$work/start_empty_sound")" "$(tail -n1 "$work/start_text")" \
        "$(tail -n1 "$work/start_box")" "$(tail -n1 "$work/start_after_box")"
done
startup_load_after=$(load)
paired "$work/start_game" "$work/start_empty" "$work/start_ratio"
paired "$work/start_box" "$work/start_empty" "$work/start_box_ratio"
paired "$work/start_game" "$work/start_empty_sound" "$work/start_sound_ratio"
paired "$work/start_empty_sound" "$work/start_empty" "$work/start_libraries_ratio"
start_sound_ratio=$(ratio "$(median "$work/start_game")" "$(median "$work/start_empty_sound")")
start_libraries_ratio=$(ratio "$(median "$work/start_empty_sound")" "$(median "$work/start_empty")")
paired "$work/start_game" "$work/start_text" "$work/start_own_ratio"
start_text_ratio=$(ratio "$(median "$work/start_text")" "$(median "$work/start_empty")")
start_own_ratio=$(ratio "$(median "$work/start_game")" "$(median "$work/start_text")")
# Window created to first pixels, each run: where the time after the window goes.
paste "$work/start_game" "$work/created_game" | awk '{ printf "%.2f\n", $1 - $2 }' > "$work/shown_game"
paste "$work/start_text" "$work/created_text" | awk '{ printf "%.2f\n", $1 - $2 }' > "$work/shown_text"
ms_between() { awk -v a="$(median "$1")" -v b="$(median "$2")" 'BEGIN { printf "%.1f", a - b }'; }
start_libraries_ms=$(ms_between "$work/start_empty_sound" "$work/start_empty")
start_text_ms=$(ms_between "$work/start_text" "$work/start_empty_sound")
start_own_ms=$(ms_between "$work/start_game" "$work/start_text")
start_ratio=$(ratio "$(median "$work/start_game")" "$(median "$work/start_empty")")
start_box_ratio=$(ratio "$(median "$work/start_box")" "$(median "$work/start_empty")")
start_after_box_ratio=$(ratio "$(median "$work/start_after_box")" "$(median "$work/start_empty")")
echo "startup_vell_ms (min / median / max) $(stats "$work/start_game")"
echo "startup_empty_ms $(stats "$work/start_empty")"
echo "startup_empty_with_sound_ms $(stats "$work/start_empty_sound") (ratio to the empty window $start_libraries_ratio, vell to it $start_sound_ratio)"
echo "startup_text_ms $(stats "$work/start_text") (ratio to the empty window $start_text_ratio, vell to it $start_own_ratio)"
echo "startup_box_ms $(stats "$work/start_box")"
echo "startup_after_box_ms $(stats "$work/start_after_box")"
echo "window_created_ms vell $(median "$work/created_game" 1), empty window $(median "$work/created_empty" 1), with sound $(median "$work/created_empty_sound" 1), with text $(median "$work/created_text" 1)"
echo "startup_ratio $start_ratio (box $start_box_ratio), load $startup_load_before -> $startup_load_after"

# --- memory -----------------------------------------------------------------

match_ms=$(awk -v s="$memory_scale" 'BEGIN { printf "%d", 142600 * s }')
cat > "$work/drive.sh" <<EOF
set -eu
# Through the menus as a player would, by keyboard: Game, Play, Free Play,
# computer vs computer; then the whole match and a little more.
xdotool windowfocus --sync "\$PROBE_WINDOW"
xdotool key --delay 100 alt+g p Return Down Return
sleep $(awk -v ms="$match_ms" 'BEGIN { print ms / 1000 + 2 }')
EOF
echo "== Memory: peak resident memory (VmHWM), a whole watching match at time scale $memory_scale, $memory_runs interleaved runs each"
echo "   reproduce: cd $build/runtime && VELL_PLAYER_NAME= VELL_TIME_SCALE=$memory_scale ../bench/bench_xprobe --then 'sh drive.sh' -- ./vell"
echo "              ../bench/bench_xprobe --then 'sleep 2' -- ../bench/bench_empty_window (and _sound, _text)"
memory_load_before=$(load)
: > "$work/mem_game"; : > "$work/mem_empty"; : > "$work/mem_sound"; : > "$work/mem_text"; : > "$work/mem_last"
# The match is driven to its end: the table is reset on the screen then.
memory_round() {
    : > "$work/round"
    measure env VELL_PLAYER_NAME= VELL_TIME_SCALE=$memory_scale "$probe" --then "sh $work/drive.sh" -- ./vell || return 1
    last=$(value last_pixels_after_ms "$work/out")
    if [ "$last" -lt "$match_ms" ]; then
        echo "   (the match did not run to its end: last pixels $last ms after the menus, the match takes $match_ms ms)"
        left_out=$((left_out + 1))
        return 1
    fi
    echo "mem_last $last" >> "$work/round"
    echo "mem_game $(value vm_hwm_kib "$work/out")" >> "$work/round"
    for series in empty sound text; do
        case $series in
            empty) measure "$probe" --then "sleep 2" -- "$empty" || return 1 ;;
            sound) measure "$probe" --then "sleep 2" -- "$empty_sound" || return 1 ;;
            text) measure "$probe" --then "sleep 2" -- "$empty_text" || return 1 ;;
        esac
        echo "mem_$series $(value vm_hwm_kib "$work/out")" >> "$work/round"
    done
}
for run in $(seq "$memory_runs"); do
    if ! memory_round; then
        echo "   run $run left out"
        continue
    fi
    keep
    printf '   run %s: vell %s KiB (last pixels %s ms after the menus), empty window %s KiB, with sound %s KiB, with text %s KiB\n' "$run" \
        "$(tail -n1 "$work/mem_game")" "$(tail -n1 "$work/mem_last")" "$(tail -n1 "$work/mem_empty")" "$(tail -n1 "$work/mem_sound")" "$(tail -n1 "$work/mem_text")"
done
memory_load_after=$(load)
paired "$work/mem_game" "$work/mem_empty" "$work/mem_ratio"
memory_ratio=$(ratio "$(median "$work/mem_game")" "$(median "$work/mem_empty")")
memory_sound_ratio=$(ratio "$(median "$work/mem_sound")" "$(median "$work/mem_empty")")
memory_text_ratio=$(ratio "$(median "$work/mem_text")" "$(median "$work/mem_empty")")
memory_own_ratio=$(ratio "$(median "$work/mem_game")" "$(median "$work/mem_text")")
echo "memory_vell_kib $(stats "$work/mem_game" 0)"
echo "memory_empty_kib $(stats "$work/mem_empty" 0)"
echo "memory_ratio $memory_ratio, load $memory_load_before -> $memory_load_after"

# --- idle cost --------------------------------------------------------------

cat > "$work/idle.sh" <<'EOF'
set -eu
# CPU time of every thread of the program, in ns.
cpu() { cat /proc/"$PROBE_PID"/task/*/schedstat | awk '{ s += $1 } END { if (NR) print s; else exit 1 }'; }
# Times any thread of the program was woken or put aside: each is a wake-up.
wakeups() { cat /proc/"$PROBE_PID"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
sleep 1
objects=$(grep -o '/[^ ]*\.so[^ /]*$' /proc/"$PROBE_PID"/maps | sort -u | wc -l)
a=$(cpu); wa=$(wakeups); sleep 30; b=$(cpu); wb=$(wakeups)
xdotool windowfocus --sync "$PROBE_WINDOW"
xdotool key ctrl+b
# At time scale 1 the card buttons are enabled 6 s after the command.
sleep 8
c=$(cpu); sleep 10; d=$(cpu)
awk -v a="$a" -v b="$b" -v c="$c" -v d="$d" -v w="$((wb - wa))" -v o="$objects" \
    'BEGIN { printf "%.2f %.2f %d %d\n", (b - a) / 1e6, (d - c) / 1e6, w, o }' > "$1"
EOF
echo "== Idle cost: CPU time and wake-ups of the whole program in 30 s of the first screen, CPU time in 10 s waiting for a card, $idle_runs runs"
echo "   reproduce: cd $build/runtime && VELL_PLAYER_NAME= ../bench/bench_xprobe --then 'sh idle.sh OUT' -- ./vell"
idle_load_before=$(load)
: > "$work/idle_table"; : > "$work/idle_card"; : > "$work/idle_wakeups"; : > "$work/idle_objects"
for run in $(seq "$idle_runs"); do
    if ! measure env VELL_PLAYER_NAME= "$probe" --then "sh $work/idle.sh $work/idle_out" -- ./vell; then
        echo "   run $run left out"
        continue
    fi
    if [ "$(value last_pixels_after_ms "$work/out")" -lt 36000 ]; then
        echo "   run $run left out: the human match did not start"
        left_out=$((left_out + 1))
        continue
    fi
    awk '{ print $1 }' "$work/idle_out" >> "$work/idle_table"
    awk '{ print $2 }' "$work/idle_out" >> "$work/idle_card"
    awk '{ print $3 }' "$work/idle_out" >> "$work/idle_wakeups"
    awk '{ print $4 }' "$work/idle_out" >> "$work/idle_objects"
    echo "   run $run: first screen $(tail -n1 "$work/idle_table") ms and $(tail -n1 "$work/idle_wakeups") wake-ups in 30 s ($(tail -n1 "$work/idle_objects") shared objects mapped), waiting for a card $(tail -n1 "$work/idle_card") ms"
done
idle_load_after=$(load)

# --- steps ------------------------------------------------------------------

# A series of whole matches: step figures in $work/steps.SERIES.RUN.
steps_series() {
    for run in $(seq "$2"); do
        if ! measure timeout 300 "$bench/bench_steps"; then
            echo "   run $run left out"
            continue
        fi
        mv "$work/out" "$work/steps.$1.$run"
        awk -v run="$run" '{ if ($7 < 0) $7 = -$7; if ($7 > late) late = $7; if ($8 < 0) $8 = -$8; if ($8 > drift) drift = $8 }
            END { printf "   run %s: %d steps, latest %.3f ms, largest drift %.3f ms\n", run, NR, late, drift }' "$work/steps.$1.$run"
    done
    cat "$work"/steps."$1".* > "$work/steps_$1" 2>/dev/null || : > "$work/steps_$1"
    awk '{ print $7 }' "$work/steps_$1" > "$work/lateness_$1"
}
# Steps more than 5 ms late, and of how many.
late_count() { echo "$(awk '$7 > 5 || $7 < -5' "$work/steps_$1" | wc -l) of $(wc -l < "$work/steps_$1")"; }

echo "== Steps: a whole watching match at time scale 1 (about 2.5 minutes a run), $step_runs runs as the machine is"
echo "   reproduce: cd $build/runtime && ../bench/bench_steps"
steps_load_before=$(load)
steps_series quiet "$step_runs"
steps_load_after=$(load)
# The same with every core kept busy by another program.
cores=$(nproc)
echo "== Steps again, $loaded_step_runs runs with $cores busy programs beside (yes > /dev/null, one a core)"
for _ in $(seq "$cores"); do
    yes > /dev/null &
    load_pids="$load_pids $!"
done
loaded_load_before=$(load)
steps_series loaded "$loaded_step_runs"
loaded_load_after=$(load)
for pid in $load_pids; do
    kill "$pid" 2>/dev/null || true
done
load_pids=""
cp "$work/steps_quiet" "$work/steps_all"
awk '{ print $8 }' "$work/steps_all" > "$work/drift"
steps_count=$(awk 'END { print NR }' "$(ls "$work"/steps.quiet.* 2>/dev/null | head -n 1)" 2>/dev/null || true)
late_over=$(awk '$7 > 5 || $7 < -5' "$work/steps_all" | wc -l)
drift_over=$(awk '$8 > 0.5 || $8 < -0.5' "$work/steps_all" | wc -l)
echo "steps_per_match $steps_count"
echo "lateness_ms (min / median / max) $(stats "$work/lateness_quiet" 3), loaded $(stats "$work/lateness_loaded" 3)"
echo "drift_ms $(stats "$work/drift" 3)"
echo "steps_more_than_5ms_late $(late_count quiet), load $steps_load_before -> $steps_load_after; loaded $(late_count loaded), load $loaded_load_before -> $loaded_load_after"
# One row a step: its lateness and drift over the runs.
step_table=$(awk -v runs="$step_runs" '
    function mmm(list, n,    i, j, t, v, m) {
        n = split(list, v, " ")
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] + 0 < v[i] + 0) { t = v[i]; v[i] = v[j]; v[j] = t }
        m = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        return sprintf("%.3f / %.3f / %.3f", v[1], m, v[n])
    }
    { name[$2] = $3; sched[$2] = $4; late[$2] = late[$2] " " $7; drift[$2] = drift[$2] " " $8; if ($2 > n) n = $2 }
    END { for (i = 1; i <= n; i++) printf "| %d | %s | %d | %s | %s |\n", i, name[i], sched[i], mmm(late[i]), mmm(drift[i]) }
' "$work/steps_all")

# --- the record -------------------------------------------------------------

cpu=$(awk -F: '/^model name/ { sub(/^[ \t]+/, "", $2); print $2; exit }' /proc/cpuinfo)
qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)
xvfb_version=$(dpkg-query -W -f='${Version}' xvfb 2>/dev/null || echo unknown)
verdict() { if met "$1" "$2"; then echo "$3"; else echo "$4"; fi; }
start_met=$(verdict "$start_ratio" 1.3 "Met: the table shows its first pixels within 1.3 times the empty window's start-up." \
    "Not met: the table takes more than 1.3 times the empty window's start-up.")
own_met=$(verdict "$start_own_ratio" 1.05 "Met: the table shows its first pixels within 1.05 times the window with the game's menu bar and text." \
    "Not met: the table takes more than 1.05 times the window with the game's menu bar and text.")
memory_met=$(verdict "$memory_ratio" 1.45 "Met: the game's peak memory over a match is within 1.45 times the empty window's." \
    "Not met: the game's peak memory over a match is more than 1.45 times the empty window's.")
idle_wakeups_max=$(sort -n "$work/idle_wakeups" | tail -n 1)
idle_met=$(verdict "${idle_wakeups_max:-1}" 0 "Met: nothing woke the program in 30 s of the first screen, in any run." \
    "Not met: the program was woken in 30 s of the first screen (at most ${idle_wakeups_max:-?} times in a run).")
if [ "$late_over" -eq 0 ] && [ "$drift_over" -eq 0 ]; then
    steps_met="Met: every step of the first series ran within 5 ms of its due time, and no step's due time drifted from the timetable."
else
    steps_met="Not met: steps of the first series more than 5 ms late: $late_over; due times more than 0.5 ms off the timetable: $drift_over."
fi

cat > "$output" <<MD
# Performance

Measured by \`make bench\` (\`bench/run.sh\`) on $(date -u +%Y-%m-%d), on
$cpu, $(nproc) cores, Linux $(uname -r), Qt $qt, on Xvfb $xvfb_version
(1024x768, depth 24, no window manager) with $sound. Each figure is
min / median / max over repeated runs; the game and its yardstick take
turns, and every ratio compares figures of the same run. The load average
(1, 5, 15 min) is given before and after each section. Commands are run
from \`build/runtime\` with \`DISPLAY\` set to the X server; \`drive.sh\` and
\`idle.sh\` are written by \`bench/run.sh\`. A measurement that fails is tried
again, twice at most, and one that still fails leaves its round out: in this
run $retried tries were repeated and $left_out rounds left out.

The yardstick is \`bench_empty_window\`: a \`QMainWindow\` of 640 x 480,
shown, and nothing else, built by the same build with the same flags. Two
more builds of it tell the parts of the game's start-up and memory apart:
\`bench_empty_window_sound\` also links the sound library the game links,
and \`bench_empty_window_text\` shows besides the game's menu bar and one
line of its bold text.

## Start-up

From just before the exec of the program to the first pixels of its first
window on the X server, seen by \`bench_xprobe\` with the X DAMAGE
extension: it watches every new top-level window from its creation, is told
of every drawing in it, and takes the first one the server reports after the
window's MapNotify (the server reports in the order things happen, so a
probe that reads late still finds it). $startup_runs runs of each. Targets: at most
1.3 times the empty window, and 1.05 times the window with the game's menu bar
and text.

| Program | Start-up, ms |
|---|---|
| vell, no greeting (\`VELL_PLAYER_NAME=\`) | $(stats "$work/start_game") |
| empty window | $(stats "$work/start_empty") |
| **ratio** (medians; paired runs) | **$start_ratio** ($(stats "$work/start_ratio" 2)) |
| empty window linked with the sound library (\`bench_empty_window_sound\`) | $(stats "$work/start_empty_sound") |
| ratio of that to the empty window | $start_libraries_ratio ($(stats "$work/start_libraries_ratio" 2)) |
| ratio of vell to that | $start_sound_ratio ($(stats "$work/start_sound_ratio" 2)) |
| that window with the game's menu bar and a line of its bold text (\`bench_empty_window_text\`) | $(stats "$work/start_text") |
| ratio of that to the empty window | $start_text_ratio |
| ratio of vell to that | $start_own_ratio ($(stats "$work/start_own_ratio" 2)) |
| vell with a greeting: the box's first pixels | $(stats "$work/start_box") |
| ratio of the box to the empty window | $start_box_ratio ($(stats "$work/start_box_ratio" 2)) |
| vell with a greeting: the table's first pixels, the box answered with Return as soon as it had pixels and the keyboard focus | $(stats "$work/start_after_box") |
| ratio of that to the empty window | $start_after_box_ratio |

Load: $startup_load_before before, $startup_load_after after.

$start_met
$own_met

| Window created, then its first pixels (medians) | created, ms | created to first pixels, ms |
|---|---|---|
| vell | $(median "$work/created_game" 2) | $(median "$work/shown_game" 2) |
| empty window | $(median "$work/created_empty" 2) | |
| with the sound library | $(median "$work/created_empty_sound" 2) | |
| with the game's menu bar and text | $(median "$work/created_text" 2) | $(median "$work/shown_text" 2) |

Where the time goes, from the medians: linking the sound library costs
$start_libraries_ms ms (the PulseAudio client and the few libraries it needs, which the
dynamic loader maps and relocates before \`main()\` runs); showing any text at
all costs $start_text_ms ms more (fontconfig reads its configuration and cache, a
regular and a bold face are opened, the style is set up); the game's own
work adds $start_own_ms ms. The empty window shows no text, so 1.3 times its
start-up leaves less than the first text alone takes: that target cannot be
met by a program with a menu bar.

The game's window exists much later than the window with text, and shows
its pixels much sooner after: the game builds its whole table before it
shows it, and the fonts and the style are set up on the way, where the
window with text sets them up once it is shown. What to compare is the
time to the first pixels. Timestamps in the program (measured once, at a
load of about 0.5, medians of 25 runs) split the game's own part: the
first card image read, 1.75 ms, which sets up Qt's image formats; the
other thirteen, 1 ms; the settings dialog and the rules window, 0.5 ms;
the other widgets, 1 ms; showing the table polishes and lays out about a
hundred widgets (2.5 to 3 ms) and draws them (1.9 ms against 1.3 ms for
the menu bar and the line of text). Two things were moved out of the way
of the first pixels: the window icon, eight sizes from 16 to 256 pixels,
took about 2.5 ms to read and more to hand to the X server before the
table could be drawn, and is now set once the table is on the screen; and
the image formats are now set up on a thread of their own while the style
and the fonts are set up. Measured with the probe (41 interleaved runs of
each, on a quiet machine), the ratio to the window with text went from
1.20 to 1.13 with the first, and from 1.13 to 1.10 with the second. What is left is the table itself;
building the two other windows only when first opened would save the
0.5 ms, less than the runs vary. The rules page is read only when Help is
first opened.

\`\`\`sh
VELL_PLAYER_NAME= ../bench/bench_xprobe -- ./vell
../bench/bench_xprobe -- ../bench/bench_empty_window
../bench/bench_xprobe -- ../bench/bench_empty_window_sound
../bench/bench_xprobe -- ../bench/bench_empty_window_text
VELL_PLAYER_NAME=Bench ../bench/bench_xprobe --answer-box -- ./vell
\`\`\`

## Steps of a match

A whole watching match (\`Computer_vs_Computer_Action\`) at time scale 1 in
\`bench_steps\`: the game's window from the game's window library, on the X
server, each step taken from \`StepClock::stepRan\` with the time it was due
and the time it ran. Nothing wakes the program but the game's own timers: a
single-shot timer gives the command a second after the window is shown, and
the run ends with the step \`Return_First_Screen_timer\`. Lateness is ran -
due; drift is the due time against the timetable (round K's banner at
1500 + 10700 x (K - 1) ms after the command, the final reset at 142600 ms).
Matches of $steps_count steps, in two series: $step_runs as the machine was, then
$loaded_step_runs with one busy program (\`yes > /dev/null\`) a core beside the game, as
on a desktop that compiles or indexes meanwhile. Target: every step within
5 ms of its due time, none drifting.

| Series | Load before, after | Lateness, ms | Steps more than 5 ms late |
|---|---|---|---|
| as the machine was | $steps_load_before; $steps_load_after | $(stats "$work/lateness_quiet" 3) | $(late_count quiet) |
| every core busy | $loaded_load_before; $loaded_load_after | $(stats "$work/lateness_loaded" 3) | $(late_count loaded) |

Drift, all steps of the first series: $(stats "$work/drift" 3) ms.

$steps_met

What each shows: the first series is the game's own timing, the precise
timer's wake-up and the step's work, on whatever else the machine was
doing (its load is given). The second shows what the scheduler makes of it
on a busy machine: every step is still due on time (a step is armed from
the time the step before was due, not from when it ran, so lateness never
adds up), but the game's thread waits for a core behind the busy programs
and runs that much later. Lateness there is the machine's, not the game's;
a quiet-machine figure says nothing about it.

\`\`\`sh
../bench/bench_steps
\`\`\`

<details><summary>Every step: lateness and drift in ms, min / median / max over the runs</summary>

| # | Step | Timetable, ms | Lateness | Drift |
|---|---|---|---|---|
$step_table

</details>

## Memory

Peak resident memory (VmHWM from \`/proc/PID/status\`, read just before the
program is ended) of the shipped \`vell\` over a whole watching match at time
scale $memory_scale, started through the menus with xdotool as a player would
(Game, Play, Free Play, computer vs computer, by keyboard); against the empty
window after 2 s on screen. Each run checks that the table was redrawn at the
match's end. $memory_runs runs of each. Target: at most 1.45 times the empty
window.

| Program | Peak resident memory, KiB |
|---|---|
| vell | $(stats "$work/mem_game" 0) |
| empty window | $(stats "$work/mem_empty" 0) |
| **ratio** (medians; paired runs) | **$memory_ratio** ($(stats "$work/mem_ratio" 2)) |
| empty window linked with the sound library | $(stats "$work/mem_sound" 0) (ratio $memory_sound_ratio) |
| that with the game's menu bar and a line of its text | $(stats "$work/mem_text" 0) (ratio $memory_text_ratio) |
| ratio of vell to that | $memory_own_ratio |

Load: $memory_load_before before, $memory_load_after after.

$memory_met

The same yardsticks as for start-up tell the parts apart: the sound
library, mapped and relocated, and showing any text at all (fontconfig's
configuration and cache, two faces of a font, their glyphs) account for the
ratio of the window with text; what the game adds to that is its table of
about a hundred widgets, its card images, the rules window, and, once a
match is played, the sound worker with its connection to the audio server
and the samples of the sound playing.

\`\`\`sh
VELL_PLAYER_NAME= VELL_TIME_SCALE=$memory_scale ../bench/bench_xprobe --then 'sh drive.sh' -- ./vell
../bench/bench_xprobe --then 'sleep 2' -- ../bench/bench_empty_window
\`\`\`

## Idle cost

CPU time of all the shipped program's threads (from
\`/proc/PID/task/*/schedstat\`) and the times any of them was woken (its
voluntary and involuntary context switches, from \`/proc/PID/task/*/status\`)
over 30 s of the first screen, from 1 s after its first pixels; and CPU time
over 10 s of a human match waiting for the player's card (started with
Ctrl+B). $idle_runs runs. Target: near zero CPU, and no wake-up at all at the
first screen: no timer or polling while idle.

| Moment | CPU time, ms | Wake-ups |
|---|---|---|
| first screen, 30 s | $(stats "$work/idle_table" 2) | $(stats "$work/idle_wakeups" 0) |
| waiting for the player's card, 10 s | $(stats "$work/idle_card" 2) | |

Shared objects mapped at the first screen (files named \`*.so*\` in
\`/proc/PID/maps\`): $(stats "$work/idle_objects" 0).

Load: $idle_load_before before, $idle_load_after after.

$idle_met

\`\`\`sh
VELL_PLAYER_NAME= ../bench/bench_xprobe --then 'sh idle.sh OUT' -- ./vell
\`\`\`
MD
echo "wrote $output"
