# An X server of the caller's own, for scripts that show real windows: the
# real-window tests, the screen-reader test and the start-up check.
#
#   source tests/support/x_server.sh
#   start_x_server DIR SECONDS   # sets DISPLAY and x_server_pid, or returns 1
#
# The server is Xvfb at 1024x768x24 without TCP, on the first free display
# number; its log is DIR/xvfb.log. It never resets: a server that resets when
# its last client leaves drops a client connecting meanwhile, so a program
# started right after another one (or after xdotool) could not connect. The
# caller stops it with `kill "$x_server_pid"` or stop_processes. There is no
# window manager.
#
#   fixed_environment HOME RUNTIME [LANG]  # sets fixed_env (LANG defaults to C.UTF-8)
#   sanitizer_environment                  # sets sanitizer_env
#   built_with_asan EXECUTABLE             # whether it is built with AddressSanitizer
#
# After start_x_server, f10_key holds the F10 key as xdotool must be given it
# (see below).

x_server_pid=''

start_x_server() {
    local dir=$1 seconds=$2 number=''
    rm -f "$dir/display"
    mkfifo "$dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
    x_server_pid=$!
    read -r -t "$seconds" number <"$dir/display" || true
    [[ $number =~ ^[0-9]+$ ]] || return 1
    export DISPLAY=":$number"
    f10_key=$(server_keycode FK10) || return 1
}

# server_keycode NAME: the keycode of the physical key NAME (<FK10>, say) in
# the server's keymap. Given a key's name, xdotool presses the modifiers of the
# first level it finds the key's symbol on; with the keymaps of Debian testing
# (xkeyboard-config 2.4x, libX11 1.8) that is Alt for a function key, so
# "xdotool key F10" sends Alt+F10. Given a keycode, it presses that key alone,
# as a user does.
server_keycode() {
    local keymap code
    keymap=$(xkbcomp -xkb "$DISPLAY" - 2>/dev/null) || return 1
    code=$(sed -n "s/^ *<$1> *= *\([0-9]*\);.*/\1/p" <<<"$keymap" | head -n 1)
    [[ $code =~ ^[0-9]+$ ]] || return 1
    echo "$code"
}

# stop_processes PID...: ends each process that is given (empty ones are
# passed over) and waits for it.
stop_processes() {
    local pid
    for pid in "$@"; do
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
}

# The small, fixed environment a program gets on this X server, so that what
# it shows depends on nothing of the user's: no desktop settings, no user
# configuration, the home and runtime directory given, the locale asked for.
# The caller runs the program with `env -i "${fixed_env[@]}" ...`.
fixed_env=()
fixed_environment() {
    fixed_env=(PATH="$PATH" HOME="$1" LANG="${3:-C.UTF-8}" DISPLAY="$DISPLAY"
        QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$2")
}

# A sanitized build started with env -i keeps its options, and the loader its
# path: those of the caller's environment, NAME=VALUE each.
sanitizer_env=()
sanitizer_environment() {
    local passed
    sanitizer_env=()
    for passed in LD_LIBRARY_PATH ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        [ -z "${!passed:-}" ] || sanitizer_env+=("$passed=${!passed}")
    done
}

# The loader prints line by line, so its list is read whole: a grep that
# stopped at the first match would break the pipe under pipefail.
built_with_asan() {
    local libraries
    libraries=$(ldd "$1" 2>/dev/null || true)
    [[ $libraries == *libasan.so* ]]
}
