#!/usr/bin/env bash
# What counts in the output of `appstreamcli validate` or `validate-tree`:
# every error, warning and info line, except that an AppStream older than 1.0
# (Debian 12 has 0.16) does not know the <developer> element, which 1.0 wants
# in place of <developer_name>, and says so as an info.
#
#   source appstream_findings.sh
#   appstream_findings <log>    # prints the lines that count; none means clean

appstream_findings() {
    local old_validator=''
    dpkg --compare-versions "$(appstreamcli --version | awk '/AppStream version/ { print $NF }')" lt 1.0 &&
        old_validator=yes
    { grep -E '^ *[EWI]: ' "$1" || true; } | while IFS= read -r line; do
        if [ -n "$old_validator" ] && [[ $line =~ ^\ *I:\ [^:]+:[0-9]+:\ unknown-tag\ developer$ ]]; then
            continue
        fi
        echo "$line"
    done
}
