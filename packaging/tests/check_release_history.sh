#!/usr/bin/env bash
# Checks that a package tells one release history: dpkg parses the source's
# changelog without a complaint and dates its newest entry as dch writes it;
# the package's version is that entry's, the changelog it ships is that one,
# and the metainfo's newest release and the manual page's heading (both
# written by the build from project()) name the same version and day.
# usage: check_release_history.sh <debian/changelog> <package.deb> <unpacked package>
set -euo pipefail
changelog=$1 deb=$2 root=$3
fail() {
    echo "FAIL: $*"
    exit 1
}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/release_history.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# dpkg warns, and carries on, about a malformed entry or a wrong weekday.
parse() {
    dpkg-parsechangelog -l "$changelog" -S "$1" 2>>"$scratch/dpkg.err"
}
package=$(parse Source)
version=$(parse Version)
distribution=$(parse Distribution)
changelog_date=$(parse Date)
if [ -s "$scratch/dpkg.err" ]; then
    cat "$scratch/dpkg.err"
    fail "dpkg-parsechangelog complains about $changelog"
fi
[ "$package" = wavywall ] || fail "the changelog is for '$package'"
[ "$distribution" = unstable ] || fail "the changelog's distribution is '$distribution'"
released=$(date -u -d "$changelog_date" +%F) || fail "the changelog's date '$changelog_date' is no date"
[ "$(LC_ALL=C date -u -R -d "$changelog_date")" = "$changelog_date" ] ||
    fail "the changelog's date '$changelog_date' is not written as RFC 2822 writes it"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    fail "the package's version is $(dpkg-deb -f "$deb" Version), not the changelog's $version"
shipped=$root/usr/share/doc/wavywall/changelog.gz
cmp -s <(gzip -dc "$shipped") "$changelog" || fail "the package's changelog is not $changelog"

# The first <release> of the metainfo is the newest.
metainfo=$root/usr/share/metainfo/io.github.wavywall.wavywall.metainfo.xml
first_release=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1)
[ -n "$first_release" ] || fail "the metainfo has no <release>"
[[ $first_release == *" version=\"$version\""* ]] ||
    fail "the metainfo's newest release is $first_release, not version $version"
[[ $first_release == *" date=\"$released\""* ]] ||
    fail "the metainfo's newest release is $first_release, not dated $released"

heading=$(gzip -dc "$root/usr/share/man/man1/wavywall.1.gz" | grep -m 1 '^\.TH ')
[ "$heading" = ".TH WAVYWALL 1 $released \"wavywall $version\" \"User Commands\"" ] ||
    fail "the manual page is headed '$heading', not for wavywall $version of $released"
echo "wavywall $version, released $released ($changelog_date): the package, its changelog, metainfo and manual page"
