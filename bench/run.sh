#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs every benchmark on the offscreen platform, prints each figure with the
# command that reproduces it, and records the results in OUTPUT.
#
#   run.sh BUILD_DIR OUTPUT.md        (make bench does this)
set -eu
build=$(cd "$1" && pwd)
output=$(realpath -m "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$build/runtime"
export QT_QPA_PLATFORM=offscreen VELL_PLAYER_NAME=

figure() { awk -v key="$1" '$1 == key { print $2 }' "$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "== Timing fidelity: one watching match at time scale 1 (about 2.5 minutes)"
echo "   reproduce: cd $build/runtime && QT_QPA_PLATFORM=offscreen ../bench/bench_game timing"
"$build/bench/bench_game" timing 2>/dev/null | tee "$work/timing"

echo "== Start-up: process start to first paint, median of 31 runs each"
echo "   reproduce: cd $build/runtime && QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=vell.debug=true VELL_PLAYER_NAME= ../bench/bench_startup 31 ./vell ../bench/bench_minimal"
QT_LOGGING_RULES="vell.debug=true" "$build/bench/bench_startup" 31 ./vell "$build/bench/bench_minimal" | tee "$work/startup"
game_start=$(awk '$2 == "./vell" { print $3 }' "$work/startup")
minimal_start=$(awk '$2 != "./vell" { print $3 }' "$work/startup")
echo "startup_ratio $(ratio "$game_start" "$minimal_start")"

echo "== Memory: peak resident memory over a whole watching match (time scale 0.05)"
echo "   reproduce: cd $build/runtime && QT_QPA_PLATFORM=offscreen ../bench/bench_game memory 0.05; QT_QPA_PLATFORM=offscreen ../bench/bench_minimal 7.5"
"$build/bench/bench_game" memory 0.05 2>/dev/null > "$work/memory"
"$build/bench/bench_minimal" 7.5 2>/dev/null > "$work/minimal"
game_rss=$(figure peak_rss_kib "$work/memory")
minimal_rss=$(figure peak_rss_kib "$work/minimal")
echo "game_peak_rss_kib $game_rss"
echo "minimal_peak_rss_kib $minimal_rss"
echo "memory_ratio $(ratio "$game_rss" "$minimal_rss")"

echo "== Idle cost: CPU time in 10 s of an idle table and 10 s waiting for a card"
echo "   reproduce: cd $build/runtime && QT_QPA_PLATFORM=offscreen ../bench/bench_game idle"
"$build/bench/bench_game" idle 2>/dev/null | tee "$work/idle"

cpu=$(awk -F: '/^Model name/ { sub(/^[ \t]+/, "", $2); print $2; exit }' /proc/cpuinfo 2>/dev/null || true)
[ -n "$cpu" ] || cpu=$(awk -F: '/^model name/ { sub(/^[ \t]+/, "", $2); print $2; exit }' /proc/cpuinfo)
qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)

cat > "$output" <<MD
# Performance

Measured by \`make bench\` on $(date -u +%Y-%m-%d), on $cpu, $(nproc) cores,
Linux $(uname -r), Qt $qt, the offscreen platform. Each section names the
command that reproduces its figures from the build folder.

## Timing fidelity

One whole watching match at time scale 1: each of its $(figure steps "$work/timing") steps against
the schedule (round K's banner at 1500 + 10700 x (K - 1) ms, the final reset
at 142600 ms). Target: no step more than 5 ms off, no drift.

| Figure | Result |
|---|---|
| largest deviation | $(figure largest_deviation_ms "$work/timing") ms |
| mean deviation | $(figure mean_deviation_ms "$work/timing") ms |
| drift at the end | $(figure drift_at_end_ms "$work/timing") ms |

\`cd build/runtime && QT_QPA_PLATFORM=offscreen ../bench/bench_game timing\`

## Start-up

From process start to the main window's first paint, median of 31 runs,
against a minimal Qt 6 Widgets program (one window, one label) built by the
same build. Target: at most 1.2 times the minimal program.

| Program | Start-up |
|---|---|
| vell | $game_start ms |
| minimal | $minimal_start ms |
| ratio | $(ratio "$game_start" "$minimal_start") |

\`cd build/runtime && QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=vell.debug=true VELL_PLAYER_NAME= ../bench/bench_startup 31 ./vell ../bench/bench_minimal\`

What the game does before its first paint that the minimal program does
not, measured on the machine above while tuning: it builds about a hundred
widgets, the settings dialog and the rules window (about 1 ms together);
it reads fourteen card images, of which the first costs about 1 ms because
Qt then looks up its image format plugins, and each other about 0.06 ms;
and it lays out and polishes the table. Two costs were moved out of the
start: the sound libraries (about 4 ms of loading 22 shared libraries) now
load with the first round's sound, and the rules page (about 1.8 ms) is
read just after the first paint.

## Memory

Peak resident memory over a whole watching match (run at time scale 0.05),
against the same minimal program. Target: at most 1.5 times.

| Program | Peak resident memory |
|---|---|
| vell | $game_rss KiB |
| minimal | $minimal_rss KiB |
| ratio | $(ratio "$game_rss" "$minimal_rss") |

\`cd build/runtime && QT_QPA_PLATFORM=offscreen ../bench/bench_game memory 0.05\`

## Idle cost

CPU time used by the whole process. Target: near zero; no timer or polling
while idle.

| Moment | CPU time in 10 s |
|---|---|
| idle table | $(figure idle_table_cpu_ms "$work/idle") ms |
| a match, waiting for the player's card | $(figure waiting_for_card_cpu_ms "$work/idle") ms |

\`cd build/runtime && QT_QPA_PLATFORM=offscreen ../bench/bench_game idle\`
MD
echo "wrote $output"
