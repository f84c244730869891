# What the scripts that use the real program on an X server of their own
# share: numbered checks, a failure that keeps the last screenshot and the
# logs, the program started with a small fixed environment, and the cleanup.
#
#   source tests/support/window_test.sh     # with x_server.sh and screen_pixels.sh
#   begin_window_test NAME OUT_DIR SECONDS   # sets tmp and shot, traps EXIT and signals
#   start_display                            # the X server, or fail
#   start_program [LANG [LOCPATH]]           # sets app_pid (LANG defaults to C.UTF-8)
#                                            # and passes program_environment on
#   pass TEXT / fail TEXT / program_running / take_screenshot FILE / stop_program
#   wait_for_new_window WHAT                 # sets new_window (see main_window)
#   wait_for_main_window                     # sets main_window to the first window
#   require_tools TOOL...                    # fail naming the first one missing
#   require_python_gi                        # fail without GObject's Python binding
#   wait_for WHAT REGIONS COMMAND...         # REGIONS still and COMMAND holding
#   wait_while FAILURE COMMAND...            # until COMMAND fails, or fail FAILURE
#   wait_until_closed FAILURE                # no window but main_window left
#   close_other_windows KEY                  # KEY to each window but main_window
#   win_x win_y menu                         # where the main window's client area is
#   at_client X Y / client_region X Y W H / point_at X Y / click_client X Y [COUNT [BUTTON]]
#   window_geometry WINDOW / window_region WINDOW / window_title WINDOW
#   expect_about_window SIZE                 # new_window is "About", of SIZE (WxH);
#                                            # sets about, about_area, x y width height
#
# Screenshots, the program's windows and their geometry come from the X server
# through screenshot_tool, window_lister and geometry_tool, and the program
# starts with program_runner before it (none): a script on another display
# server (wayland_session.sh) names its own.
#
# A failure copies the last screenshot to OUT_DIR/NAME_failure.png. A script
# with more to say on a failure, or more to end, names a command in
# on_failure or on_cleanup; it runs before the shared steps.

window_test_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=x_server.sh
source "$window_test_dir/x_server.sh"
# shellcheck source=screen_pixels.sh
source "$window_test_dir/screen_pixels.sh"

checks=0
app_pid='' xvfb_pid='' watchdog_pid=''
window_test_name='' window_test_out='' window_test_wait=20

on_failure='' on_cleanup=''

pass() {
    checks=$((checks + 1))
    echo "ok $checks - $*"
}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$on_failure" ]; then "$on_failure"; fi
    if [ -s "${shot:-}" ]; then
        cp "$shot" "$window_test_out/${window_test_name}_failure.png"
        echo "the last screenshot is $window_test_out/${window_test_name}_failure.png" >&2
    fi
    local log
    for log in "$tmp/program.log" "$tmp/xvfb.log" "$tmp/sway.log" "$tmp/wtype.log" "$tmp/grim.log"; do
        if [ -s "$log" ]; then
            echo "--- ${log##*/}:" >&2
            tail -n 20 "$log" >&2
        fi
    done
    exit 1
}

# Ends the program and the X server whatever happened; a watchdog does the
# same if the script is killed outright.
_window_test_cleanup() {
    local status=$?
    if [ -n "$on_cleanup" ]; then "$on_cleanup"; fi
    stop_processes "$app_pid" "$xvfb_pid" "$watchdog_pid"
    rm -rf "$tmp"
    exit "$status"
}

begin_window_test() {
    window_test_name=$1 window_test_out=$2 window_test_wait=$3
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/$window_test_name.XXXXXX")
    shot=$tmp/screen.png
    trap _window_test_cleanup EXIT
    trap 'echo "FAIL: stopped by SIGHUP" >&2; exit 129' HUP
    trap 'echo "FAIL: stopped by SIGINT" >&2; exit 130' INT
    trap 'echo "FAIL: stopped by SIGTERM" >&2; exit 143' TERM
    mkdir -p "$window_test_out"
}

require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
    done
}

# The AT-SPI clients of the tests are Python scripts that use D-Bus through Gio.
require_python_gi() {
    require_tools /usr/bin/python3
    /usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null ||
        fail "python3-gi is missing: run scripts/install-deps.sh"
}

start_display() {
    local started=yes
    start_x_server "$tmp" "$window_test_wait" || started=''
    xvfb_pid=$x_server_pid
    [ -n "$started" ] || fail "Xvfb did not start"
    (
        while kill -0 $$ 2>/dev/null; do sleep 1; done
        kill "$xvfb_pid" 2>/dev/null
        rm -rf "$tmp"
    ) </dev/null >/dev/null 2>&1 &
    watchdog_pid=$!
}

# The program gets the fixed environment of x_server.sh with a fresh home, and
# the variables the caller lists in program_environment (NAME=value each).
program_environment=() program_runner=()
start_program() {
    rm -rf "$tmp/runtime" "$tmp/home"
    mkdir -m 700 "$tmp/runtime" "$tmp/home"
    fixed_environment "$tmp/home" "$tmp/runtime" "${1:-}"
    local environment=("${fixed_env[@]}")
    if [ -n "${2:-}" ]; then environment+=(LOCPATH="$2"); fi
    environment+=("${program_environment[@]}")
    sanitizer_environment
    environment+=("${sanitizer_env[@]}")
    "${program_runner[@]}" env -i "${environment[@]}" "$program" </dev/null >"$tmp/program.log" 2>&1 &
    app_pid=$!
}

stop_program() {
    stop_processes "$app_pid"
    app_pid=''
}

program_running() {
    kill -0 "$app_pid" 2>/dev/null
}

screenshot_tool=x11_screenshot window_lister=x11_windows geometry_tool=x11_window_geometry
title_tool=x11_window_title

take_screenshot() {
    "$screenshot_tool" "$1"
}

x11_screenshot() {
    import -window root "$1" 2>>"$tmp/import.log" || fail "import could not take a screenshot"
}

visible_windows() {
    "$window_lister"
}

x11_windows() {
    xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true
}

# Waits until the program shows a window that is not main_window (or, while
# that is empty, any window) and sets new_window to it.
main_window='' new_window=''
wait_for_new_window() {
    local what=$1 limit=$((SECONDS + window_test_wait)) window
    new_window=''
    while :; do
        program_running || fail "the program ended while waiting for $what"
        for window in $(visible_windows); do
            if [ "$window" != "$main_window" ]; then
                new_window=$window
                return
            fi
        done
        ((SECONDS < limit)) || fail "no $what appeared within $window_test_wait s"
        sleep 0.1
    done
}

wait_for_main_window() {
    main_window=''
    wait_for_new_window "main window"
    main_window=$new_window
}

# Waits until the regions (a space-separated list) look the same on two
# screenshots in a row and the predicate (a command) holds on the last one.
wait_for() {
    local what=$1 regions=$2
    shift 2
    local limit=$((SECONDS + window_test_wait)) previous='' now region
    while :; do
        program_running || fail "the program ended while waiting until $what"
        take_screenshot "$shot"
        now=''
        for region in $regions; do
            now+=$(region_signature "$shot" "$region")
        done
        if [ "$now" = "$previous" ] && "$@"; then
            return 0
        fi
        previous=$now
        ((SECONDS < limit)) || fail "waited $window_test_wait s in vain until $what"
        sleep 0.1
    done
}

wait_while() {
    local failure=$1 limit=$((SECONDS + window_test_wait))
    shift
    while "$@"; do
        ((SECONDS < limit)) || fail "$failure"
        sleep 0.1
    done
}

other_windows_shown() {
    [ -n "$(visible_windows | grep -vx "$main_window" || true)" ]
}

wait_until_closed() {
    wait_while "$1" other_windows_shown
}

# Answers each window but main_window with KEY as a user would: Escape closes
# the About window and an error report, Return an error report.
close_other_windows() {
    local key=$1 window
    for window in $(visible_windows); do
        [ "$window" = "$main_window" ] && continue
        xdotool windowfocus --sync "$window" key "$key" 2>/dev/null || true
    done
}

# Screen coordinates of the main window's client area: its top left, and the
# menu bar's height above the client area, once the script has measured them.
win_x=0 win_y=0 menu=0
at_client() {
    echo "$((win_x + $1)) $((win_y + menu + $2))"
}
client_region() {
    echo "${3}x${4}+$((win_x + $1))+$((win_y + menu + $2))"
}
# Moves the pointer and waits until it is there; a synchronous move to where
# the pointer already is would wait for a movement that never comes.
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

# "x y width height" of a window on the screen.
window_geometry() {
    "$geometry_tool" "$1"
}

x11_window_geometry() {
    xdotool getwindowgeometry --shell "$1" |
        awk -F= '{ value[$1] = $2 } END { print value["X"], value["Y"], value["WIDTH"], value["HEIGHT"] }'
}
window_title() {
    "$title_tool" "$1"
}

x11_window_title() {
    xdotool getwindowname "$1"
}

# The window that wait_for_new_window found is the About window: its title and
# its size.
expect_about_window() {
    local size=$1 _window_test_title
    about=$new_window
    _window_test_title=$(window_title "$about")
    [ "$_window_test_title" = About ] || fail "the About window is named '$_window_test_title'"
    read -r x y width height < <(window_geometry "$about")
    [ "${width}x${height}" = "$size" ] || fail "the About window is ${width}x${height}, not $size"
    about_area="${width}x${height}+$x+$y"
}

# The same as a region, "WxH+X+Y".
window_region() {
    local x y width height
    read -r x y width height < <(window_geometry "$1")
    echo "${width}x${height}+$x+$y"
}
