#!/usr/bin/env bash
# The real wavywall program and the same program without its accessibility
# guard on one AT-SPI bus: every well-formed call that the toolkit's bridge
# declares, on every object of the tree, gets the same answer from both
# (bridge_comparison.py).
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall> <directory> <bridge alone>"
readonly program=${1:?$usage} out_dir=${2:?$usage} bridge_alone=${3:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/screen_reader.sh
source "$here/../support/screen_reader.sh"

readonly wait_limit=15
# The main window's tree has 17 objects (the application, the window, its
# menu bar and client area, and their controls) on Qt 6.4 and 6.8; each
# declares a few dozen calls.
readonly min_objects=17 min_calls=400
begin_window_test bridge_comparison "$out_dir" "$wait_limit"
require_tools Xvfb xdotool dbus-daemon
require_python_gi

start_display
start_client_buses "$tmp" "$wait_limit" address || fail "the session bus or the AT-SPI bus did not start"

# Both in process groups of their own, with the same environment.
start_client_program "$tmp/guarded" "$program" pid
follow_program "$pid"
start_client_program "$tmp/alone" "$bridge_alone" alone_pid

/usr/bin/python3 "$here/bridge_comparison.py" "$address" "$pid" "$alone_pid" \
    "$min_objects" "$min_calls" | tee "$out_dir/bridge_comparison.txt" ||
    fail "a well-formed call was answered otherwise through the guard (see above)"
program_running || fail "the program ended"
pass "every well-formed call the bridge answers is answered the same through the guard"

echo "$checks passed, 0 failed"
