#!/usr/bin/env bash
# Builds wavywall's Debian source and binary packages from this tree with
# dpkg-buildpackage, as a Debian builder would, and checks them:
#   1. check_package.sh: lintian, the control fields, the files;
#   2. a second build from the source package, in another path, time zone,
#      umask and locale, and later, without the build-time tests: the binary
#      package is the same to the bit (diffoscope shows a difference);
#   3. autopkgtest on the .changes, beside step 2: the installed program's
#      own tests.
# The packages stay in OUT_DIR (default build/package). Step 3 installs the
# package on this machine, so it needs root or sudo. The first build runs the
# build-time tests unless DEB_BUILD_OPTIONS says nocheck, as Debian's does.
#
# usage: scripts/package.sh [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/package}")
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
autopkgtest_pid=''
fail() {
    [ -z "$autopkgtest_pid" ] || kill "$autopkgtest_pid" 2>/dev/null || true
    echo "package: FAIL: $*" >&2
    exit 1
}
# dpkg_build <tree> <log> <what> <umask> [VAR=VALUE...] -- [dpkg-buildpackage arguments]
# builds in <tree> with the umask and environment given, its output in <log>,
# shown in part when it fails.
dpkg_build() {
    local tree=$1 log=$2 what=$3 mask=$4 env=()
    shift 4
    while [ "$1" != -- ]; do
        env+=("$1")
        shift
    done
    shift
    (cd "$tree" && umask "$mask" && env "${env[@]}" dpkg-buildpackage -us -uc "$@") >"$log" 2>&1 || {
        tail -n 60 "$log" | cut -c1-300
        fail "$what failed: $log"
    }
}

rm -rf "$out"
mkdir -p "$out/first" "$out/second/a/longer/build/path"

# The tree as dpkg-source takes it: the tracked files and the new ones not
# ignored, as they stand in the work tree.
first=$out/first/wavywall-$version
mkdir -p "$first"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$first"

SECONDS=0
echo "package: dpkg-buildpackage -us -uc in $first${DEB_BUILD_OPTIONS:+ (DEB_BUILD_OPTIONS=$DEB_BUILD_OPTIONS)}"
dpkg_build "$first" "$out/first.log" dpkg-buildpackage 022 TZ=UTC LC_ALL=C.UTF-8 --
echo "package: built in $SECONDS s"
changes=$out/first/wavywall_${version}_${arch}.changes
bash packaging/tests/check_package.sh "$changes" "$first"

# The installed package's tests run while the source package is built again:
# the one waits mostly on its X server and apt, the other on the compiler.
echo "package: autopkgtest $changes -- null, beside the second build"
autopkgtest_start=$(date +%s)
"${sudo_cmd[@]}" autopkgtest --output-dir "$out/autopkgtest" "$changes" -- null >"$out/autopkgtest.log" 2>&1 &
autopkgtest_pid=$!

# The second build: what a rebuilder does with the source package.
SECONDS=0
second=$out/second/a/longer/build/path/wavywall-$version
dpkg-source -x "$out/first/wavywall_$version.dsc" "$second" >/dev/null
locale=C.UTF-8
[[ $'\n'$(locale -a)$'\n' == *$'\n'tr_TR.utf8$'\n'* ]] && locale=tr_TR.UTF-8
echo "package: a second build without the tests in $second, at UTC+14, umask 002, $locale"
dpkg_build "$second" "$out/second.log" "the second dpkg-buildpackage" 002 \
    TZ=Etc/GMT-14 LC_ALL="$locale" LANG="$locale" DEB_BUILD_OPTIONS=nocheck -- -b -Pnocheck
echo "package: built again in $SECONDS s"
deb=wavywall_${version}_${arch}.deb
rebuilt=$(dirname "$second")/$deb
if ! cmp "$out/first/$deb" "$rebuilt"; then
    command -v diffoscope >/dev/null &&
        diffoscope --text "$out/diffoscope.txt" "$out/first/$deb" "$rebuilt" || true
    cat "$out/diffoscope.txt" 2>/dev/null | head -n 200
    fail "two builds of the same source gave different packages"
fi
echo "ok - two builds give the same $deb: sha256 $(sha256sum <"$out/first/$deb" | cut -c1-16)…"

status=0
wait "$autopkgtest_pid" || status=$?
tail -n 40 "$out/autopkgtest.log"
((status == 0)) || fail "autopkgtest failed with status $status: $out/autopkgtest.log"
echo "package: autopkgtest passed in $(($(date +%s) - autopkgtest_start)) s"
