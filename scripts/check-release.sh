#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks the game on another Debian release as a new user's machine has it:
# makes a bare Debian of that release from Debian's package registry,
# clones this checkout's last commit into it and runs the README's
# `make test` there; with --package it then builds the Debian package,
# installs it and starts the installed game on a virtual screen.
#
#   check-release.sh [--package] RELEASE     (bookworm, trixie, sid, ...)
#
# Needs root (through sudo otherwise). The release lives in a scratch folder
# under /var/tmp (VELL_CHROOT_DIR sets another) and runs in mount and process
# namespaces of its own: whether the checks pass or fail, its mounts go and
# every process started in it ends with it, and then the folder is removed.
# VELL_MIRROR sets another mirror than deb.debian.org.
set -eu

package=false
if [ "${1:-}" = "--package" ]; then
    package=true
    shift
fi
if [ $# -ne 1 ]; then
    echo "usage: $0 [--package] RELEASE" >&2
    exit 2
fi
release=$1
top=$(cd "$(dirname "$0")/.." && pwd)
mirror=${VELL_MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "$0 needs root or sudo" >&2; exit 1; }
    exec sudo VELL_MIRROR="$mirror" ${VELL_CHROOT_DIR:+VELL_CHROOT_DIR="$VELL_CHROOT_DIR"} sh "$0" "$@"
fi
sh "$top/scripts/install-deps.sh" debootstrap util-linux git

work=$(mktemp -d "${VELL_CHROOT_DIR:-/var/tmp}/vell-$release.XXXXXX")
root=$work/root
cleanup() {
    # The namespaces are gone once their last process is: nothing is
    # mounted below the folder any more, as the first check makes sure.
    if grep -q " $work/" /proc/self/mounts; then
        echo "still mounted below $work: left in place" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

started=$(date +%s)
echo "== Debian $release from $mirror"
debootstrap --variant=minbase --include=make "$release" "$root" "$mirror" > "$work/debootstrap.log" 2>&1 \
    || { tail -n 20 "$work/debootstrap.log" >&2; echo "debootstrap failed" >&2; exit 1; }
# An unstable mirror's release file may be past its date when the mirror is
# behind: apt would then refuse it, and the check would test nothing. Its
# age is shown instead, so the report says how fresh the release was.
echo 'Acquire::Check-Valid-Until "false";' > "$root/etc/apt/apt.conf.d/90vell-check"
sed -n 's/^Date: /release file of /p' "$root/var/lib/apt/lists/"*_InRelease 2>/dev/null | head -n 1
cp /etc/resolv.conf "$root/etc/resolv.conf"
if [ -n "$(git -C "$top" status --porcelain)" ]; then
    echo "note: uncommitted changes are not part of the check"
fi
git clone --quiet --no-hardlinks "$top" "$root/root/vell"
echo "checking $(git -C "$root/root/vell" log -1 --format='%h %s')"

steps="make test"
if $package; then
    steps="$steps && make package && sh scripts/check-package.sh build-deb/package/*.deb"
fi

# A mount namespace keeps the mounts from the rest of the machine, and a
# process namespace ends everything started inside once the checks return.
status=0
unshare --mount --pid --fork --kill-child sh -eu -c '
    root=$1
    steps=$2
    mount --make-rprivate /
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
    exec chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 CI="${CI:-}" sh -euc "
            . /etc/os-release
            echo \"== \$PRETTY_NAME (\$(cat /etc/debian_version))\"
            apt-get update -qq
            cd /root/vell
            $steps"
' sh "$root" "$steps" || status=$?

echo "== Debian $release: $( [ "$status" -eq 0 ] && echo passed || echo "failed ($status)" ) in $(( $(date +%s) - started )) s"
exit "$status"
