#!/usr/bin/env bash
# Checks wavywall_rfc2822_date of release_date.cmake against GNU date on days
# around month ends, leap days and century years, and that it refuses days
# that do not exist.
# usage: check_release_date.sh <cmake> <release_date.cmake>
set -euo pipefail
cmake=$1 functions=$2
fail() {
    echo "FAIL: $*"
    exit 1
}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/release_date.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

cat >"$scratch/convert.cmake" <<CMAKE
include("$functions")
if(DEFINED DAY)
    wavywall_rfc2822_date(written "\${DAY}")
    message(NOTICE "\${DAY} \${written}")
endif()
foreach(day IN LISTS DAYS)
    wavywall_rfc2822_date(written "\${day}")
    message(NOTICE "\${day} \${written}")
endforeach()
CMAKE
# convert <days separated by ';'> or convert_one <day>, which may be empty.
convert() {
    "$cmake" -DDAYS="$1" -P "$scratch/convert.cmake" 2>&1
}
convert_one() {
    "$cmake" -DDAY="$1" -P "$scratch/convert.cmake" 2>&1
}

days=(2026-12-08 1999-12-31 2000-01-01 2000-02-29 2000-03-01 1900-02-28 1900-03-01
    2100-02-28 2100-03-01 2024-02-29 2023-02-28 2038-01-19 1970-01-01 2001-09-30)
for month in 01 02 03 04 05 06 07 08 09 10 11 12; do
    days+=("2026-$month-01" "$(date -u -d "2026-$month-01 +1 month -1 day" +%F)")
done
list=$(IFS=';' && echo "${days[*]}")
convert "$list" >"$scratch/written.txt" || {
    cat "$scratch/written.txt"
    fail "cmake could not convert the days"
}
checked=0
for day in "${days[@]}"; do
    expected=$(LC_ALL=C date -u -R -d "$day 12:00")
    grep -Fxq "$day $expected" "$scratch/written.txt" ||
        fail "$day: expected '$expected', got '$(grep "^$day " "$scratch/written.txt")'"
    checked=$((checked + 1))
done

for wrong in 2026-02-29 1900-02-29 2100-02-29 2026-04-31 2026-06-31 2026-13-01 2026-00-10 \
    2026-12-00 2026-12-32 2026-12-8 26-12-08 2026/12/08 ''; do
    if output=$(convert_one "$wrong"); then
        fail "'$wrong' was taken for a day: $output"
    fi
    checked=$((checked + 1))
done
echo "$checked days checked"
