#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the Debian packages given as arguments that are not installed yet.
# Uses sudo when not root; without root or sudo it names the packages and fails.
set -eu

missing=""
for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    run=""
elif command -v sudo >/dev/null 2>&1 && { [ -t 0 ] || sudo -n true 2>/dev/null; }; then
    # Without a terminal sudo must not wait for a password.
    if [ -t 0 ]; then run="sudo"; else run="sudo -n"; fi
else
    echo "These Debian packages are needed and could not be installed (not root, no usable sudo):" >&2
    echo "   $missing" >&2
    echo "Install them with: sudo apt-get install$missing" >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$run apt-get update -qq || { echo "apt-get update failed; needed:$missing" >&2; exit 1; }
# shellcheck disable=SC2086
$run apt-get install -y -qq --no-install-recommends $missing || { echo "Could not install:$missing" >&2; exit 1; }
