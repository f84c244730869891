#!/usr/bin/env bash
# Validates the metainfo as strictly as AppStream can: pedantic, and any
# error, warning or info fails (appstream_findings.sh says which count).
# usage: check_metainfo.sh <metainfo file>
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=appstream_findings.sh
source "$here/appstream_findings.sh"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
appstreamcli validate --no-net --pedantic "$1" >"$log" 2>&1 || status=$?
cat "$log"
findings=$(appstream_findings "$log")
if [ "$status" -ne 0 ] || [ -n "$findings" ]; then
    echo "FAIL: the metainfo does not validate cleanly:"
    echo "$findings"
    exit 1
fi
