# shellcheck shell=bash
# A native Wayland session of the test's own: sway on wlroots' headless
# backend (no seat, logind, udev or DRM device; pixman drawing, the same on
# every machine), one 1024x768 output at scale 1, no bar, borders or
# Xwayland, every window floating at its program's size (sway centres it).
# Sourced after window_test.sh; its logs go to LOGDIR.
#
#   start_wayland_session LOGDIR SECONDS  # sway, or fail; sets WAYLAND_DISPLAY
#   use_wayland_session                   # screenshots, windows and the program go to the session
#   press_keys KEY... / as_session_user COMMAND... / session_program PROGRAM
#   wayland_windows PID / wayland_window_ids PID / wayland_window_geometry ID / wayland_window_title ID
#
# sway refuses to run as root, so as root the session, and each of its
# clients (the program, grim, wtype), runs as WAYLAND_SESSION_USER (nobody
# unless set) by setpriv, with a runtime directory and home of its own.
#
# When the seat's last keyboard goes, Qt loses the focus of its window, and
# wtype ends once it has typed its command line (read whole first). So one
# wtype holds a keyboard for the whole session, and each press_keys is a
# short wtype beside it.

session_user='' session_dir='' session_runtime='' session_home='' sway_socket=''
session_logs='' session_pid='' key_holder_pid='' session_runner=() session_env=()

readonly session_config='output HEADLESS-1 mode --custom 1024x768 position 0 0 scale 1
default_border none
default_floating_border none
xwayland disable
for_window [title=".*"] floating enable'

start_wayland_session() {
    local dir=$1 seconds=$2 limit socket uid gid log
    require_tools sway swaymsg grim wtype python3
    session_runner=()
    session_dir=$(mktemp -d "${TMPDIR:-/tmp}/wayland-session.XXXXXX")
    watch path "$session_dir"
    session_logs=$dir
    for log in sway wtype grim; do register_log "$dir/$log.log"; done
    if [ "$(id -u)" -eq 0 ]; then
        require_tools setpriv
        session_user=${WAYLAND_SESSION_USER:-nobody}
        uid=$(id -u "$session_user") || fail "there is no user $session_user for the Wayland session"
        gid=$(id -g "$session_user")
        ((uid != 0)) || fail "the Wayland session's user $session_user is root: sway refuses that"
        session_runner=(setpriv "--reuid=$uid" "--regid=$gid" --clear-groups)
        chown "$uid:$gid" "$session_dir"
        as_session_user_bare test -x "$session_dir" ||
            fail "$session_user cannot reach $session_dir: the directories above it need o+x"
    else
        session_user=$(id -un)
    fi
    session_runtime=$session_dir/runtime session_home=$session_dir/home
    as_session_user_bare mkdir -m 700 "$session_runtime" "$session_home"
    echo "$session_config" >"$session_dir/config"
    chmod 644 "$session_dir/config"
    session_env=(PATH="$PATH" HOME="$session_home" XDG_RUNTIME_DIR="$session_runtime" LANG=C.UTF-8)
    # Started without a function between, so that $! is sway itself.
    "${session_runner[@]}" env -i "${session_env[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman sway --config "$session_dir/config" </dev/null >"$dir/sway.log" 2>&1 &
    session_pid=$!
    watch pid "$session_pid"

    # sway makes its sockets in the runtime directory, then configures the
    # output: the session is ready once the output has its mode.
    limit=$((SECONDS + seconds))
    while :; do
        kill -0 "$session_pid" 2>/dev/null || fail "sway ended at start"
        for socket in "$session_runtime"/wayland-[0-9]*; do
            if [ -S "$socket" ]; then WAYLAND_DISPLAY=${socket##*/}; fi
        done
        for socket in "$session_runtime"/sway-ipc.*.sock; do
            if [ -S "$socket" ]; then sway_socket=$socket; fi
        done
        if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "$sway_socket" ] &&
            [ "$(session_output_mode)" = "HEADLESS-1 1024x768 1" ]; then
            break
        fi
        ((SECONDS < limit)) || fail "sway's headless output was not 1024x768 at scale 1 within $seconds s"
        sleep 0.1
    done
    export WAYLAND_DISPLAY
    session_env+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY")

    "${session_runner[@]}" env -i "${session_env[@]}" wtype -s 600000 </dev/null >>"$dir/wtype.log" 2>&1 &
    key_holder_pid=$!
    watch pid "$key_holder_pid"
}

# The program itself where the session's user can run it, else a copy in the
# session's directory: a checkout below a private directory (a fresh clone in
# a mktemp directory, say) is out of that user's reach. The program needs
# nothing else of its build directory.
session_program() {
    if as_session_user_bare test -r "$1" -a -x "$1"; then
        echo "$1"
        return
    fi
    cp "$1" "$session_dir/program" && chmod 755 "$session_dir/program" ||
        fail "could not copy $1 where $session_user can run it"
    echo "$session_dir/program"
}

as_session_user_bare() { "${session_runner[@]}" "$@"; }
as_session_user() { "${session_runner[@]}" env -i "${session_env[@]}" "$@"; }

# "NAME WIDTHxHEIGHT SCALE" of each output.
session_output_mode() {
    as_session_user swaymsg --socket "$sway_socket" --raw -t get_outputs 2>/dev/null |
        python3 -c '
import json, sys
for o in json.load(sys.stdin):
    m = o.get("current_mode") or {}
    print(o["name"], "%sx%s" % (m.get("width"), m.get("height")), "%g" % o.get("scale", 0))' 2>/dev/null
}

# Each KEY a keysym name (Tab, Return, F10, a, 1, period), or MODIFIER+NAME
# with one of wtype's modifiers (ctrl, shift, alt, logo).
press_keys() {
    local key args=()
    for key in "$@"; do
        if [[ $key == *+* ]]; then
            args+=(-M "${key%%+*}" -k "${key#*+}" -m "${key%%+*}")
        else
            args+=(-k "$key")
        fi
    done
    kill -0 "$key_holder_pid" 2>/dev/null || fail "the wtype holding the seat's keyboard ended"
    as_session_user wtype "${args[@]}" </dev/null 2>>"$session_logs/wtype.log" || fail "wtype could not press $*"
}

# The mapped windows of the program PID (of every program without one) in
# sway's tree, one a line: id, x, y, width, height and title, tab-separated.
wayland_windows() {
    as_session_user swaymsg --socket "$sway_socket" --raw -t get_tree 2>/dev/null |
        python3 -c '
import json, sys
pid = int(sys.argv[1]) if len(sys.argv) > 1 else None
def walk(node):
    if node.get("pid") and (pid is None or node["pid"] == pid) and node.get("visible"):
        r, w = node["rect"], node["window_rect"]
        print(node["id"], r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"],
              node.get("name") or "", sep="\t")
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$@"
}

wayland_window_ids() { wayland_windows "$1" | cut -f1; }
wayland_window_geometry() { wayland_windows | awk -F '\t' -v id="$1" '$1 == id { print $2, $3, $4, $5 }'; }
wayland_window_title() { wayland_windows | awk -F '\t' -v id="$1" '$1 == id { print $6 }'; }

wayland_screenshot() {
    as_session_user grim - >"$1" 2>>"$session_logs/grim.log" || fail "grim could not take a screenshot"
}

# From here on the shared steps take screenshots with grim and find windows in
# sway's tree, and start_program starts the program as a client of the session
# with Qt's Wayland platform.
use_wayland_session() {
    screenshot_tool=wayland_screenshot
    window_lister=wayland_window_ids
    geometry_tool=wayland_window_geometry
    title_tool=wayland_window_title
    program_runner=("${session_runner[@]}")
    program_environment+=("${session_env[@]}" QT_QPA_PLATFORM=wayland DISPLAY=)
}
