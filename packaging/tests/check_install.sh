#!/usr/bin/env bash
# Installs the build tree into an empty prefix and checks what arrived there
# and that its metainfo finds its desktop entry.
# usage: check_install.sh <cmake> <build dir> <scratch dir> <expected list>
set -euo pipefail
cmake=$1 build=$2 scratch=$3 expected=$4
here=$(dirname "$0")
# shellcheck source=appstream_findings.sh
source "$here/appstream_findings.sh"

rm -rf "$scratch"
mkdir -p "$scratch"
prefix=$scratch/prefix
if ! "$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    exit 1
fi
(cd "$prefix" && find . -not -type d -printf '%P\n') >"$scratch/installed.txt"
bash "$here/check_installed_files.sh" "$scratch/installed.txt" "$expected" "$prefix"

# The metainfo finds the desktop entry it launches.
if ! appstreamcli validate-tree --no-net "$prefix" >"$scratch/validate-tree.log" 2>&1 ||
    [ -n "$(appstream_findings "$scratch/validate-tree.log")" ]; then
    cat "$scratch/validate-tree.log"
    echo "FAIL: the installed metainfo does not find its desktop entry"
    exit 1
fi
