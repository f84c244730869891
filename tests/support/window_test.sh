# shellcheck shell=bash
# The real program's windows on a display server of the test's own: the
# program started with a small fixed environment, waits on its windows and
# on screenshots, the pointer on its client area. Builds on processes.sh and
# x_server.sh; a Wayland test switches with use_wayland_session.
#
#   begin_window_test NAME OUT_DIR SECONDS   # sets tmp and shot; a failure keeps the last
#                                            # screenshot as OUT_DIR/NAME_failure.png
#   start_display / start_program VAR [LANG [LOCPATH]] / follow_program PID / stop_program
#   program_running / take_screenshot FILE / visible_windows / require_tools TOOL... / require_python_gi
#   save_screenshot WHAT / output_file WHAT  # OUT_DIR/NAME_WHAT.png, the path OUT_DIR/NAME_WHAT
#   wait_for_main_window VAR / wait_for_new_window VAR WHAT   # the first window / another one
#   wait_for WHAT REGIONS COMMAND...         # REGIONS still and COMMAND holding
#   until_holds WHAT COMMAND... / on_screenshot COMMAND...   # COMMAND on a fresh screenshot
#   wait_while FAILURE COMMAND... / wait_until_closed FAILURE / close_other_windows KEY
#   at_client X Y / client_region X Y W H / point_at X Y / click_client X Y [COUNT [BUTTON]]
#   window_geometry WINDOW ("x y w h") / window_region WINDOW (WxH+X+Y) / window_title WINDOW
# The client area's place is win_x, win_y and menu, set by the script.

window_test_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=x_server.sh
source "$window_test_dir/x_server.sh"
# shellcheck source=screen_pixels.sh
source "$window_test_dir/screen_pixels.sh"

_window_test_name='' _window_test_out='' window_test_wait=20
_program_pid='' _main_window=''
program_environment=() program_runner=()
screenshot_tool=x11_screenshot window_lister=x11_windows geometry_tool=x11_window_geometry
title_tool=x11_window_title

_keep_failure_screenshot() {
    if [ -s "${shot:-}" ]; then
        save_screenshot failure
        echo "the last screenshot is $(output_file failure.png)" >&2
    fi
}

begin_window_test() {
    _window_test_name=$1 _window_test_out=$2 window_test_wait=$3
    begin_script "$1"
    shot=$tmp/screen.png
    at_failure _keep_failure_screenshot
    mkdir -p "$_window_test_out"
}

require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
    done
}

# The tests' AT-SPI clients are Python scripts that use D-Bus through Gio.
require_python_gi() {
    require_tools /usr/bin/python3
    /usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null ||
        fail "python3-gi is missing: run scripts/install-deps.sh"
}

start_display() {
    local pid
    start_x_server "$tmp" "$window_test_wait" pid || fail "Xvfb did not start"
    watch pid "$pid"
}

start_program() {
    local -n _started=$1
    rm -rf "$tmp/runtime" "$tmp/home"
    mkdir -m 700 "$tmp/runtime" "$tmp/home"
    local environment passed
    fixed_environment "$tmp/home" "$tmp/runtime" "${2:-}" environment
    if [ -n "${3:-}" ]; then environment+=(LOCPATH="$3"); fi
    sanitizer_environment passed
    environment+=("${program_environment[@]}" "${passed[@]}")
    register_log "$tmp/program.log"
    "${program_runner[@]}" env -i "${environment[@]}" "$program" </dev/null >"$tmp/program.log" 2>&1 &
    _started=$!
    follow_program "$_started"
}

follow_program() {
    _program_pid=$1
    watch pid "$1"
}

stop_program() {
    stop_processes "$_program_pid"
    _program_pid='' _main_window=''
}

program_running() { kill -0 "$_program_pid" 2>/dev/null; }

take_screenshot() { "$screenshot_tool" "$1"; }
save_screenshot() { cp "$shot" "$(output_file "$1.png")"; }
output_file() { echo "$_window_test_out/${_window_test_name}_$1"; }

visible_windows() { "$window_lister" "$_program_pid"; }

# Until COMMAND holds, tried every tenth of a second while the program runs;
# returns 1 after window_test_wait seconds. WHAT ends "while waiting ...".
until_holds() {
    local what=$1 limit=$((SECONDS + window_test_wait))
    shift
    until "$@"; do
        program_running || fail "the program ended while waiting $what"
        ((SECONDS < limit)) || return 1
        sleep 0.1
    done
}
on_screenshot() { take_screenshot "$shot" && "$@"; }

# The program's first window other than the main one, if any.
_other_window() { visible_windows | grep -vx -e "$_main_window" | sed -n 1p; }
_other_window_into() { _window=$(_other_window) && [ -n "$_window" ]; }
wait_for_new_window() {
    local -n _window=$1
    until_holds "for $2" _other_window_into || fail "no $2 appeared within $window_test_wait s"
}

wait_for_main_window() {
    _main_window=''
    wait_for_new_window "$1" "main window"
    _main_window=${!1}
}

# The regions (a space-separated list) look the same on two screenshots in a
# row and the command holds on the last one.
wait_for() {
    local what=$1 regions=$2 previous=''
    shift 2
    until_holds "until $what" on_screenshot _still_and "$regions" "$@" ||
        fail "waited $window_test_wait s in vain until $what"
}
# Keeps the regions' signature in wait_for's previous.
_still_and() {
    local regions=$1 before=$previous
    shift
    previous=$(regions_signature "$shot" "$regions")
    [ "$previous" = "$before" ] && "$@"
}

wait_while() {
    local failure=$1 limit=$((SECONDS + window_test_wait))
    shift
    while "$@"; do
        ((SECONDS < limit)) || fail "$failure"
        sleep 0.1
    done
}

other_windows_shown() { [ -n "$(_other_window)" ]; }

wait_until_closed() {
    wait_while "$1" other_windows_shown
}

# Escape closes the About window and an error report, Return an error report.
close_other_windows() {
    local key=$1 window
    for window in $(visible_windows); do
        [ "$window" = "$_main_window" ] && continue
        xdotool windowfocus --sync "$window" key "$key" 2>/dev/null || true
    done
}

win_x=0 win_y=0 menu=0
at_client() {
    echo "$((win_x + $1)) $((win_y + menu + $2))"
}
client_region() {
    echo "${3}x${4}+$((win_x + $1))+$((win_y + menu + $2))"
}
# A synchronous move to where the pointer already is would wait for a
# movement that never comes.
point_at() {
    local x=$1 y=$2 now
    now=$(xdotool getmouselocation --shell | awk -F= '$1 == "X" || $1 == "Y" { printf "%s ", $2 }')
    if [ "$now" != "$x $y " ]; then
        xdotool mousemove --sync "$x" "$y"
    fi
}
click_client() {
    local x y
    read -r x y < <(at_client "$1" "$2")
    point_at "$x" "$y"
    xdotool click --repeat "${3:-1}" --delay 40 "${4:-1}"
}

window_geometry() { "$geometry_tool" "$1"; }
window_title() { "$title_tool" "$1"; }
window_region() {
    local x y width height
    read -r x y width height < <(window_geometry "$1")
    echo "${width}x${height}+$x+$y"
}
