#!/usr/bin/env bash
# Checks that the Debian changelog and the metainfo's release history both
# open with this version, released on the same day: dpkg parses the
# changelog without a complaint, and its trailer's date, weekday included,
# is the release date.
# usage: check_release_history.sh <changelog> <metainfo> <version> <YYYY-MM-DD>
set -euo pipefail
changelog=$1 metainfo=$2 version=$3 released=$4
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
changelog_version=$(parse Version)
distribution=$(parse Distribution)
changelog_date=$(parse Date)
if [ -s "$scratch/dpkg.err" ]; then
    cat "$scratch/dpkg.err"
    fail "dpkg-parsechangelog complains about $changelog"
fi
[ "$package" = wavywall ] || fail "the changelog is for '$package'"
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's newest version is '$changelog_version', not $version"
[ "$distribution" = unstable ] || fail "the changelog's distribution is '$distribution'"
day=$(date -u -d "$changelog_date" +%F) || fail "the changelog's date '$changelog_date' is no date"
[ "$day" = "$released" ] || fail "the changelog's date is $day, not the release date $released"
[ "$(LC_ALL=C date -u -R -d "$changelog_date")" = "$changelog_date" ] ||
    fail "the changelog's date '$changelog_date' is not written as RFC 2822 writes it"

# The first <release> of the metainfo is the newest.
first_release=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1)
[ -n "$first_release" ] || fail "the metainfo has no <release>"
[[ $first_release == *" version=\"$version\""* ]] ||
    fail "the metainfo's newest release is $first_release, not version $version"
[[ $first_release == *" date=\"$released\""* ]] ||
    fail "the metainfo's newest release is $first_release, not dated $released"
echo "wavywall $version, released $released ($changelog_date), in the changelog and the metainfo"
