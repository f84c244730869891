#!/usr/bin/env bash
# Makes the Debian package with CPack, as a packager whose umask leaves
# files group-writable would, and has lintian check it: any error (E:) or
# warning (W:) fails; informational tags and notes pass. Prints lintian's
# whole report.
# usage: check_lintian.sh <cpack> <CPackConfig.cmake> <scratch dir>
set -euo pipefail
cpack=$1 config=$2 scratch=$3
fail() {
    echo "FAIL: $*"
    exit 1
}
command -v lintian >/dev/null || fail "lintian is missing: run scripts/install-deps.sh"

rm -rf "$scratch"
mkdir -p "$scratch"
umask 0002
if ! "$cpack" --config "$config" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack did not make the package"
fi
debs=("$scratch"/*.deb)
((${#debs[@]} == 1)) || fail "expected one package, found: ${debs[*]}"

# --pedantic and --display-info show every tag; only E: and W: fail.
status=0
lintian --pedantic --display-info --show-overrides "${debs[0]}" >"$scratch/lintian.txt" 2>"$scratch/lintian.err" ||
    status=$?
echo "lintian ${debs[0]##*/}:"
cat "$scratch/lintian.txt"
grep -v '^running with root privileges' "$scratch/lintian.err" >&2 || true
if grep -Eq '^[EW]: ' "$scratch/lintian.txt"; then
    fail "lintian reports errors or warnings"
fi
# Beyond its tags, lintian fails on its own trouble (an unreadable package).
((status == 0)) || fail "lintian exited with status $status"
echo "no errors or warnings"
