#!/usr/bin/env bash
# Checks the packaged manual page wavywall(1): groff renders it without a
# warning, man renders the compressed page without one, its NAME line serves
# whatis, it names the release, and every file it lists under FILES is one
# the program installs.
# usage: check_manual_page.sh <compressed page> <version> <expected list>
set -euo pipefail
compressed=$1 version=$2 expected=$3
fail() {
    echo "FAIL: $*"
    exit 1
}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/manual_page.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
page=$scratch/wavywall.1
gzip -dc "$compressed" >"$page"

groff -ww -man -Tutf8 "$page" >"$scratch/groff.txt" 2>"$scratch/groff.err"
if [ -s "$scratch/groff.err" ]; then
    cat "$scratch/groff.err"
    fail "groff -ww warns about $page"
fi

# What lintian runs on a package's manual pages.
LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$compressed" >/dev/null 2>"$scratch/man.err"
if [ -s "$scratch/man.err" ]; then
    cat "$scratch/man.err"
    fail "man --warnings warns about $compressed"
fi

whatis=$(lexgrog "$compressed") || fail "lexgrog finds no NAME line: $whatis"
[[ $whatis == *'"wavywall - '* ]] || fail "unexpected whatis entry: $whatis"

# man formats the page as for a terminal, without bold or underline when it
# writes into a file: what a user reads.
MANWIDTH=80 man -l "$compressed" 2>/dev/null >"$scratch/page.txt"
head -n 1 "$scratch/page.txt" | grep -q '^WAVYWALL(1) ' || fail "the page is not headed WAVYWALL(1)"
tail -n 1 "$scratch/page.txt" | grep -q "^wavywall $version " ||
    fail "the page's footer does not name wavywall $version: $(tail -n 1 "$scratch/page.txt")"
for section in NAME SYNOPSIS DESCRIPTION INPUTS KEYBOARD DIAGNOSTICS ENVIRONMENT FILES; do
    grep -q "^$section\$" "$scratch/page.txt" || fail "the page has no section $section"
done

# The files named under FILES, as installed into /usr, less Qt's own.
sed -n '/^FILES$/,/^[A-Z]/p' "$scratch/page.txt" |
    grep -Eo '/usr/share/[^ ]+' | grep -v '/qt6/' >"$scratch/named.txt"
(($(wc -l <"$scratch/named.txt") >= 4)) || fail "FILES names too few files"
while read -r named; do
    pattern=${named#/}
    found=''
    while read -r installed; do
        # shellcheck disable=SC2053 # the named path may hold a glob
        if [[ $installed == $pattern ]]; then found=yes; fi
    done <"$expected"
    [ -n "$found" ] || fail "FILES names $named, which is not installed"
done <"$scratch/named.txt"
echo "the manual page renders cleanly; FILES names $(wc -l <"$scratch/named.txt") installed files"
