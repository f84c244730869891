#!/usr/bin/env bash
# The real wavywall program on an AT-SPI bus of its own, attacked by a hostile
# or careless client (accessibility_attack.py): the accessible tree walked,
# then a few thousand calls, right and wrong, from what each object declares.
# The program must answer every call and live on; then Orca starts on the same
# bus and must still speak a recalculation made by keyboard.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory> [SEED]"
readonly program=${1:?$usage} out_dir=${2:?$usage} seed=${3:-16}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/screen_reader.sh
source "$here/../support/screen_reader.sh"

readonly wait_limit=15 # seconds for any one thing
# The main window's tree has 17 objects on Qt 6.4 and 6.8, and the attack
# makes some 9000 calls of them; a walk that stops early sends far fewer.
readonly min_objects=17 min_calls=6000

keep_speech
on_cleanup+=" stop_screen_reader"
begin_window_test accessibility_attack "$out_dir" "$wait_limit"
require_tools Xvfb xdotool orca dbus-daemon
require_python_gi

start_display
start_session_bus "$tmp" "$wait_limit" || fail "the session bus did not start"

# No screen reader runs yet: the program is told to offer its widgets anyway,
# as when any accessibility client is about. The AT-SPI bus comes after the
# program, so that its accessibility bridge comes up, and is guarded, while
# it runs, as when a screen reader starts later.
start_client_program "$tmp/program" "$program" pid
follow_program "$pid"
wait_for_main_window main_window
pass "the program shows its window"

start_accessibility_bus "$wait_limit" || fail "the AT-SPI bus did not start"
address=$(accessibility_bus_address)

/usr/bin/python3 "$here/accessibility_attack.py" "$address" "$pid" "$seed" \
    "$min_objects" "$min_calls" ||
    fail "the program did not withstand the attack (seed $seed)"
program_running || fail "the program ended after the attack"
pass "the program answered every call and runs on"

# The attack pressed buttons and menu items: error reports and the About
# window may be open, and a press the toolkit carries out a tenth of a second
# late can open a report after the others were closed. Each is closed as a
# user would, and the main window given the focus, until Orca speaks of it.
close_others_and_focus_main() {
    close_other_windows Escape
    xdotool windowfocus "$main_window" 2>/dev/null || true
}
close_others_and_focus_main
start_orca "$wait_limit" || fail "Orca did not start (is another Orca running? pgrep -a orca)"
limit=$((SECONDS + wait_limit))
until wait_for_speech 'Dalga yüzlü duvar' 1; do
    ((SECONDS < limit)) || fail "Orca did not speak the main window"
    close_others_and_focus_main
done
# The Moo bar is the sixth tab stop; Tab goes round until Orca names it.
tab_until_said '^Moo scroll bar' || fail "Orca did not name the Moo bar"
mark=$(spoken_lines | wc -l)
xdotool key Right
wait_said_since "$mark" 'Hesaplandı, Moo = ' "$wait_limit" ||
    fail "Orca did not speak the recalculation after the attack"
program_running || fail "the program ended"
pass "Orca still speaks a recalculation after the attack"

echo "$checks passed, 0 failed"
