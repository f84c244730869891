# shellcheck shell=bash
# Processes, environments, logs and the end of a test script: the core that
# the X server, the Wayland session and the screen reader build on.
#
#   stop_processes PID... / stop_groups PGID...   end each and wait (groups the last first)
#   spawn_group VAR LOG COMMAND...  COMMAND in a process group of its own, output to LOG, id in VAR
#   watch KIND ID / unwatch ID      a watchdog ends the pid or group, or removes the path
#                                   (KIND pid, group, path), if the script is killed outright
#   poll SECONDS COMMAND...         until COMMAND succeeds, or return 1 after SECONDS
#   begin_script TMP_PREFIX         sets tmp to a fresh directory; traps EXIT and signals
#   pass TEXT / fail TEXT           numbered checks; fail runs on_failure, the at_failure
#                                   steps, prints each register_log FILE's end, exits 1
#   fixed_environment HOME RUNTIME [LANG [VAR]] / sanitizer_environment VAR / built_with_asan EXE
#
# A script with more to say on a failure, or more to end, names commands in
# on_failure or on_cleanup. At the exit what was watched is ended too, the
# last started first.

[ -z "${_processes_loaded:-}" ] || return 0 # sourced by each back end
_processes_loaded=yes checks=0 on_failure='' on_cleanup=''
_registered_logs=() _failure_steps=() _watch_list='' _watchdog_pid=''

stop_processes() {
    local pid
    for pid in "$@"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        unwatch "$pid"
    done
}

# A group leader that has ended stays a zombie until it is waited for.
_group_gone() { [[ $(ps -o stat= -p "$1" 2>/dev/null || echo Z) == Z* ]]; }

# The last group first, so that programs go before the buses they talk on.
stop_groups() {
    local i group
    for ((i = $#; i >= 1; i--)); do kill -TERM -- "-${!i}" 2>/dev/null || true; done
    for group in "$@"; do
        poll 2 _group_gone "$group" || true
        kill -KILL -- "-$group" 2>/dev/null || true
        wait "$group" 2>/dev/null || true
        unwatch "$group"
    done
}

spawn_group() {
    local -n _spawned=$1
    local log=$2
    shift 2
    setsid "$@" </dev/null >"$log" 2>&1 &
    _spawned=$!
    watch group "$_spawned"
}

# One watchdog for the whole script, started at the first watch: it reads
# what to end from a list that grows as the script goes.
watch() {
    if [ -z "$_watch_list" ]; then
        _watch_list=$(mktemp "${TMPDIR:-/tmp}/watchdog.XXXXXX")
        local list=$_watch_list parent=$$
        (
            while kill -0 "$parent" 2>/dev/null; do sleep 1; done
            while read -r kind id; do
                case $kind in
                pid) kill "$id" ;;
                group) kill -KILL -- "-$id" ;;
                esac
            done <"$list"
            sed -n 's/^path //p' "$list" | while read -r path; do rm -rf "$path"; done
            rm -f "$list"
        ) </dev/null >/dev/null 2>&1 &
        _watchdog_pid=$!
    fi
    echo "$1 $2" >>"$_watch_list"
}

unwatch() { # ID: a pid or a group
    [ -z "$_watch_list" ] || sed -i "/^[a-z]* $1\$/d" "$_watch_list"
}

poll() {
    local limit=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < limit)) || return 1
        sleep 0.05
    done
}

register_log() { _registered_logs+=("$1"); }
at_failure() { _failure_steps+=("$1"); }

pass() {
    checks=$((checks + 1))
    echo "ok $checks - $*"
}

fail() {
    echo "FAIL: $*" >&2
    local hook log
    for hook in $on_failure "${_failure_steps[@]}"; do "$hook"; done
    for log in "${_registered_logs[@]}"; do
        if [ -s "$log" ]; then
            echo "--- ${log##*/}:" >&2
            tail -n 20 "$log" >&2
        fi
    done
    exit 1
}

_script_cleanup() {
    local status=$? hook
    for hook in $on_cleanup; do "$hook"; done
    if [ -n "$_watch_list" ]; then
        stop_processes "$_watchdog_pid"
        local kind id watched
        mapfile -t watched < <(tac "$_watch_list") # the last started first
        for id in "${watched[@]}"; do
            read -r kind id <<<"$id"
            case $kind in
            pid) stop_processes "$id" ;;
            group) stop_groups "$id" ;;
            esac
        done
        for id in "${watched[@]}"; do [[ $id != path\ * ]] || rm -rf "${id#path }"; done
        rm -f "$_watch_list"
    fi
    exit "$status"
}

begin_script() {
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
    trap _script_cleanup EXIT
    trap 'echo "FAIL: stopped by SIGHUP" >&2; exit 129' HUP
    trap 'echo "FAIL: stopped by SIGINT" >&2; exit 130' INT
    trap 'echo "FAIL: stopped by SIGTERM" >&2; exit 143' TERM
    watch path "$tmp"
}

# What a program shows then depends on nothing of the user's: no desktop
# settings, no configuration, the home, runtime directory and locale given.
fixed_environment() {
    local -n _fixed=${4:-fixed_env}
    _fixed=(PATH="$PATH" HOME="$1" LANG="${3:-C.UTF-8}" DISPLAY="${DISPLAY:-}"
        QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$2")
}

# A sanitized build started with env -i keeps its options, and the loader its path.
sanitizer_environment() {
    local -n _passed_env=$1
    local passed
    _passed_env=()
    for passed in LD_LIBRARY_PATH ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        [ -z "${!passed:-}" ] || _passed_env+=("$passed=${!passed}")
    done
}

# ldd's list is read whole: a grep that stopped early would break the pipe.
built_with_asan() {
    local libraries
    libraries=$(ldd "$1" 2>/dev/null || true)
    [[ $libraries == *libasan.so* ]]
}
