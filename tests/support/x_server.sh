# shellcheck shell=bash
# An X server of the caller's own, and what the real-window tests ask of X.
#
#   start_x_server DIR SECONDS [PID_VAR]  Xvfb, its pid in PID_VAR (x_server_pid); sets
#                                         DISPLAY, or returns 1; its log DIR/xvfb.log
#   server_keycode NAME                   the keycode of the physical key NAME (FK10)
#   x11_screenshot FILE / x11_windows PID / x11_window_geometry WINDOW / x11_window_title WINDOW
#
# Xvfb runs at 1024x768x24 without TCP, on the first free display, with no
# window manager. It never resets: a server that resets when its last client
# leaves drops a client connecting meanwhile, so a program started right
# after another one (or after xdotool) could not connect.

x11_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=processes.sh
source "$x11_dir/processes.sh"

start_x_server() {
    local dir=$1 seconds=$2 number=''
    local -n _x_pid=${3:-x_server_pid}
    rm -f "$dir/display"
    mkfifo "$dir/display"
    register_log "$dir/xvfb.log"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
    _x_pid=$!
    read -r -t "$seconds" number <"$dir/display" || true
    [[ $number =~ ^[0-9]+$ ]] || return 1
    export DISPLAY=":$number"
    server_keycode FK10 >/dev/null
}

# Given a key's name, xdotool presses the modifiers of the first level it
# finds the key's symbol on: with Debian's keymaps (xkeyboard-config 2.4x,
# libX11 1.8) that is Alt for a function key, so "xdotool key F10" sends
# Alt+F10. Given a keycode, it presses that key alone, as a user does.
server_keycode() {
    local keymap code
    keymap=$(xkbcomp -xkb "$DISPLAY" - 2>/dev/null) || return 1
    code=$(sed -n "s/^ *<$1> *= *\([0-9]*\);.*/\1/p" <<<"$keymap" | head -n 1)
    [[ $code =~ ^[0-9]+$ ]] || return 1
    echo "$code"
}

x11_screenshot() {
    import -window root "$1" 2>>"$tmp/import.log" || fail "import could not take a screenshot"
}

x11_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null || true; }

x11_window_geometry() { # "x y width height"
    xdotool getwindowgeometry --shell "$1" |
        awk -F= '{ value[$1] = $2 } END { print value["X"], value["Y"], value["WIDTH"], value["HEIGHT"] }'
}
x11_window_title() { xdotool getwindowname "$1"; }
