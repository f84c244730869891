#!/usr/bin/env bash
# Runs the README's test command on another Debian release, in a chroot made
# with debootstrap under build/debian-RELEASE/ and kept there for the next run.
# The committed state of this checkout (HEAD) is cloned into the chroot afresh
# each time, so a run there sees what a fresh clone sees. Needs root (or sudo)
# and Debian's archive; exits with the test command's status and undoes its
# mounts on any exit.
#
# usage: scripts/test-on-debian.sh RELEASE [COMMAND...]
#   RELEASE  12, 13 or testing
#   COMMAND  what to run in the clone instead of scripts/test.sh,
#            e.g. scripts/test.sh dev   (the dev suite alone)
# The archive is the one this machine's own apt sources name; DEBIAN_MIRROR
# overrides it.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    echo "usage: $0 RELEASE [COMMAND...]   (RELEASE: 12, 13 or testing)" >&2
    exit 2
}
[ $# -ge 1 ] || usage
release=$1
shift
# debootstrap knows a release by its code name.
case $release in
12) suite=bookworm ;;
13) suite=trixie ;;
testing) suite=testing ;;
*) usage ;;
esac
command=("$@")
[ ${#command[@]} -gt 0 ] || command=(scripts/test.sh)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
as_root() { "${sudo_cmd[@]}" "$@"; }

# The archive this machine's apt reads its own release from: a deb822
# stanza (.sources) or a one-line entry (sources.list) whose suite is this
# machine's code name.
machine_mirror() {
    local codename file
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -r "$file" ] || continue
        awk -v want="$codename" 'BEGIN { RS = ""; FS = "\n" }
            { uris = ""; found = 0
              for (i = 1; i <= NF; i++) {
                  if ($i ~ /^URIs:/) { split($i, f, " "); uris = f[2] }
                  if ($i ~ /^Suites:/) { n = split($i, f, " "); for (j = 2; j <= n; j++) if (f[j] == want) found = 1 }
              }
              if (found && uris != "") print uris }' "$file"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -r "$file" ] || continue
        awk -v want="$codename" '$1 == "deb" { i = 2; if ($i ~ /^\[/) while ($i !~ /\]$/) i++; if ($i ~ /^\[/ || $i ~ /\]$/) i++
            if ($(i + 1) == want) print $i }' "$file"
    done
}
mirror=${DEBIAN_MIRROR:-$(machine_mirror | head -n 1)}
[ -n "$mirror" ] || {
    echo "test-on-debian: no Debian archive in this machine's apt sources; set DEBIAN_MIRROR" >&2
    exit 1
}
readonly mirror
readonly checkout=$PWD
readonly root=$checkout/build/debian-$release/root
readonly ready=$root/.wavywall-chroot-ready
readonly clone=$root/work/wavywall

if ! command -v debootstrap >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    as_root apt-get install -y -qq --no-install-recommends debootstrap
fi

if [ ! -e "$ready" ]; then
    echo "test-on-debian: making a Debian $release ($suite) chroot in $root"
    as_root rm -rf "$root"
    mkdir -p "$(dirname "$root")"
    # An older debootstrap has no script for a newer suite's name; the
    # unstable one makes any suite that follows it.
    script=()
    [ -e "/usr/share/debootstrap/scripts/$suite" ] || script=(/usr/share/debootstrap/scripts/sid)
    as_root debootstrap --variant=minbase "$suite" "$root" "$mirror" "${script[@]}"
    # The testing suite is remade every few hours, and a mirror can serve its
    # Release file past the date it says it is valid until; apt accepts that
    # for this suite alone, and still checks the signatures.
    if [ "$suite" = testing ]; then
        echo "deb [check-valid-until=no] $mirror $suite main" | as_root tee "$root/etc/apt/sources.list" >/dev/null
    fi
    # Packages installed in the chroot must not start services of their own.
    printf '#!/bin/sh\nexit 101\n' | as_root tee "$root/usr/sbin/policy-rc.d" >/dev/null
    as_root chmod 0755 "$root/usr/sbin/policy-rc.d"
    # A chroot made again after a crash needs no synced writes, and nothing in
    # it looks pages up by keyword: dpkg skips the syncs, and man-db the
    # index it would rebuild after each package with a manual page.
    echo force-unsafe-io | as_root tee "$root/etc/dpkg/dpkg.cfg.d/unsafe-io" >/dev/null
    echo 'man-db man-db/auto-update boolean false' |
        as_root chroot "$root" debconf-set-selections
    as_root touch "$ready"
fi

mounted=()
cleanup() {
    local status=$? i
    # Whatever the tests left running inside holds the mounts.
    for pid_dir in /proc/[0-9]*; do
        if [ "$(as_root readlink "$pid_dir/root" 2>/dev/null)" = "$root" ]; then
            as_root kill -KILL "${pid_dir#/proc/}" 2>/dev/null || true
        fi
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        as_root umount "${mounted[i]}" 2>/dev/null || as_root umount -l "${mounted[i]}" || true
    done
    exit "$status"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

mount_into() {
    local target=$root$1
    shift
    as_root mkdir -p "$target"
    as_root mount "$@" "$target"
    mounted+=("$target")
}
mount_into /proc -t proc proc
mount_into /sys --bind /sys
mount_into /dev --bind /dev
mount_into /dev/pts --bind /dev/pts
mount_into /dev/shm -t tmpfs -o mode=1777 tmpfs
mount_into /tmp -t tmpfs -o mode=1777 tmpfs
as_root cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

as_root rm -rf "$clone"
as_root mkdir -p "$(dirname "$clone")"
as_root git clone -q --no-hardlinks "$checkout" "$clone"
if [ -d "$checkout/../shared" ]; then
    as_root rm -rf "$root/work/shared"
    as_root cp -r "$checkout/../shared" "$root/work/shared"
fi

echo "test-on-debian: Debian $(cat "$root/etc/debian_version"): ${command[*]}"
status=0
as_root chroot "$root" /usr/bin/env -i \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    /bin/bash -c 'cd /work/wavywall && exec "$@"' test-on-debian "${command[@]}" || status=$?
echo "test-on-debian: Debian $release finished with status $status"
exit "$status"
