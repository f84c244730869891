#!/usr/bin/env bash
# An open error report holds for an accessibility client too: on an AT-SPI bus
# of its own a client opens a report by a supersonic Moo and HESAPLA, then
# makes 500 presses, bar values and texts while it is open (report_flood.py).
# Exactly one report stays open, the resident memory (VmRSS) grows by less
# than 1 MiB from the first fifth of the calls (a warm-up) to the last, and once
# the report is closed by the keyboard every control works at once.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory>"
readonly program=${1:?$usage} out_dir=${2:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/screen_reader.sh
source "$here/../support/screen_reader.sh"

readonly wait_limit=15 calls=500
memory_growth_bound "$program" allowed_growth_kib
begin_window_test report_flood "$out_dir" "$wait_limit"
require_tools Xvfb xdotool dbus-daemon
require_python_gi

start_display
start_client_buses "$tmp" "$wait_limit" address || fail "the session bus or the AT-SPI bus did not start"
start_client_program "$tmp/program" "$program" pid
follow_program "$pid"
wait_for_main_window main_window

value() { awk -v key="$1" '$1 == key { print $2 }' "$2"; }
/usr/bin/python3 "$here/report_flood.py" "$address" "$pid" "$calls" >"$tmp/flood.txt" ||
    fail "the client could not use the program: $(cat "$tmp/flood.txt")"
cat "$tmp/flood.txt"
program_running || fail "the program ended"
# Only the flood's own presses, values and texts are counted, each answered
# as carried out: a program that refused them while the report is open would
# leave its student's screen reader without an answer.
made=0
for kind in press value text; do
    made_kind=$(value "${kind}_made" "$tmp/flood.txt") answered=$(value "${kind}_answered" "$tmp/flood.txt")
    ((made_kind == answered)) ||
        fail "only $answered of $made_kind ${kind} calls were answered as carried out"
    made=$((made + made_kind))
done
((made >= calls)) || fail "the flood made $made calls, fewer than $calls"
(($(value windows "$tmp/flood.txt") == 2)) ||
    fail "$(($(value windows "$tmp/flood.txt") - 1)) error reports are open, not one"
pass "$made presses, values and texts through AT-SPI during an open report, each answered as carried out, leave exactly one report open"
IFS=, read -r -a resident <<<"$(value resident_rounds "$tmp/flood.txt")"
echo "# resident memory after each fifth of the calls, KiB: ${resident[*]}"
((${#resident[@]} == 5)) || fail "the client read the resident memory ${#resident[@]} times, not 5"
growth=$((resident[4] - resident[0]))
((growth < allowed_growth_kib)) ||
    fail "the resident memory grew by $growth KiB after the warm-up, more than $allowed_growth_kib KiB"
pass "the resident memory grew by $growth KiB after the warm-up, less than $allowed_growth_kib KiB"

close_other_windows Return
wait_until_closed "the error report did not close"
/usr/bin/python3 "$here/report_flood.py" "$address" "$pid" after >"$tmp/after.txt" ||
    fail "the client could not use the program after the report: $(cat "$tmp/after.txt")"
cat "$tmp/after.txt"
[ "$(value moo_text_after_bar "$tmp/after.txt")" = 0.6 ] ||
    fail "the Moo bar did not write its value into its text box after the report"
[ "$(value report_again "$tmp/after.txt")" = yes ] ||
    fail "HESAPLA did not report the supersonic Moo again after the report"
pass "once the report is closed, the bar and HESAPLA work at once"

echo "$checks passed, 0 failed"
