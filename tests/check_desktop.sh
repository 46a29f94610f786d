#!/bin/sh
# SPDX-License-Identifier: MIT
# Validates the desktop entry and the AppStream metadata with the tools the
# desktops themselves use. Skips (77) where the tools are not installed.
#
#   check_desktop.sh DESKTOP_FILE METAINFO_FILE
set -eu
if ! command -v desktop-file-validate >/dev/null 2>&1 || ! command -v appstreamcli >/dev/null 2>&1; then
    echo "desktop-file-validate or appstreamcli not installed"
    exit 77
fi
desktop-file-validate "$1"
# The game has no homepage to link to. AppStream 1.0 and later warn of that
# (url-homepage-missing), which fails validation: there it is kept as a
# note. Older validators know no such warning.
override=--override=url-homepage-missing=info
if appstreamcli validate --no-net "$override" /dev/null 2>&1 | grep -q 'not recognized'; then
    override=
fi
appstreamcli validate --no-net $override "$2"

# X11 names the game's windows after the program (WM_CLASS "vell"); docks
# match them to the launcher by StartupWMClass.
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$1")
wmclass=$(sed -n 's/^StartupWMClass=//p' "$1")
[ "$wmclass" = "$(basename "$program")" ] || { echo "StartupWMClass '$wmclass' is not the program's '$program'"; exit 1; }
# The metadata tells of the colours the menu offers.
grep -q "Eight table colours" "$2" || { echo "the metadata does not say eight table colours"; exit 1; }
