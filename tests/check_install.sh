#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix, checks that every file is in its
# place, and starts the installed program from a folder without data, under
# a Japanese locale, to see that it finds its cards and its translation;
# then moves the whole installation and starts it again.
#
#   check_install.sh BUILD_DIR SCRATCH_DIR APP_ID
set -eu
build=$1
scratch=$2
app=$3

rm -rf "$scratch"
mkdir -p "$scratch/elsewhere"
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" > "$scratch/install.log"

fail() { echo "FAIL: $*"; exit 1; }

expect() {
    for file in "$@"; do
        [ -f "$prefix/$file" ] || fail "not installed: $file"
    done
}
expect bin/vell share/vell/Vell_ja.qm share/vell/html/vell_explain.html share/vell/gazo/UB0.png \
    "share/applications/$app.desktop" "share/metainfo/$app.metainfo.xml" \
    "share/icons/hicolor/48x48/apps/$app.png" "share/icons/hicolor/256x256/apps/$app.png" \
    share/man/man6/vell.6.gz share/doc/vell/copyright share/doc/vell/changelog.gz
for suit in D S C; do
    for v in 01 02 03 04 05 06 07 08 09 10 11 12 13; do
        expect "share/vell/gazo/$suit$v.png"
    done
done
for round in 1 2 3 4 5 6 7 8 9 10 11 12 13; do
    expect "share/vell/wave/$round.wav"
done
[ -x "$prefix/bin/vell" ] || fail "bin/vell is not executable"
gzip -t "$prefix/share/man/man6/vell.6.gz" || fail "the man page is not a gzip file"

# Started from a folder without data, the program runs until it is stopped;
# its diagnostics tell what it found.
run() {
    (cd "$scratch/elsewhere" && env QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="vell.debug=true" \
        LANG=ja_JP.UTF-8 LC_ALL= LC_MESSAGES= LANGUAGE= VELL_PLAYER_NAME= \
        timeout 3 "$1/bin/vell" > "$scratch/stdout.log" 2> "$scratch/stderr.log") || true
    grep -q "Japanese translation loaded from \"$1/share/vell/Vell_ja.qm\"" "$scratch/stderr.log" \
        || { cat "$scratch/stderr.log"; fail "no translation from $1/share/vell"; }
    if grep -q "no image" "$scratch/stderr.log"; then
        cat "$scratch/stderr.log"
        fail "card images missing"
    fi
    [ ! -s "$scratch/stdout.log" ] || fail "the program wrote to standard output"
}
run "$prefix"

# An unusable time scale is reported once on standard error and ignored.
(cd "$scratch/elsewhere" && env QT_QPA_PLATFORM=offscreen VELL_TIME_SCALE="1e9 or so" VELL_PLAYER_NAME= \
    timeout 2 "$prefix/bin/vell" > "$scratch/stdout.log" 2> "$scratch/stderr.log") || true
[ "$(grep -c "ignoring VELL_TIME_SCALE" "$scratch/stderr.log")" -eq 1 ] || { cat "$scratch/stderr.log"; fail "the time scale was not reported once"; }
[ ! -s "$scratch/stdout.log" ] || fail "the program wrote to standard output"

# A moved installation still finds its data beside the program.
mv "$prefix" "$scratch/moved"
run "$scratch/moved"
echo "installed files in place; data and translation found from elsewhere, also after a move"
