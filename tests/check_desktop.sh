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
appstreamcli validate --no-net "$2"
