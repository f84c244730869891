# shellcheck shell=bash
# The Orca screen reader listening to a program on the test's X server, for
# tests of what a blind user hears. Orca runs with a home of its own, on a
# D-Bus session bus and an AT-SPI bus of this module's own, and writes every
# utterance to its debug log: no speech server or sound card. Brings in
# window_test.sh.
#
#   start_screen_reader DIR SECONDS [ORCA_PID_VAR]   the session bus, the AT-SPI bus, Orca
#   start_client_buses DIR SECONDS VAR   the two buses alone, the AT-SPI bus's address in VAR
#   start_accessible_program PID_VAR WINDOW_VAR DIR SECONDS PROGRAM [ARGUMENT...]
#   start_client_program DIR EXECUTABLE [PID_VAR]   for an accessibility client of the test's own
#   accessibility_bus_address / memory_growth_bound EXECUTABLE VAR / orca_wording VAR
#   keep_speech / spoken_lines / wait_for_speech REGEX SECONDS / wait_said_since MARK REGEX SECONDS
#   tab_until_said REGEX [PRESS] / wait_until_orca_idle SECONDS / stop_orca / stop_screen_reader
#
# Each function returns 1 and says why on stderr when it fails. Every process
# runs in a process group of its own, so that stopping the group also ends
# what it spawned (the bus launcher's daemon and registry, what the session
# bus activated); processes.sh's watchdog ends them if the caller is killed
# outright. Orca refuses to start while another Orca of the same user runs
# (ctest: RESOURCE_LOCK orca). accessible_program_env holds more of the
# program's environment, NAME=VALUE each.

# shellcheck source=window_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/window_test.sh"

screen_reader_dir='' _orca_pid='' _orca_log='' _screen_reader_groups=()
accessible_program_env=()

# 1 MiB. AddressSanitizer's quarantine of freed memory (256 MiB) would hide
# any growth, so a sanitized build runs without it, bounded at 16 MiB for the
# call stack it keeps of every new way to allocate; its leak check stands in
# for the rest.
memory_growth_bound() {
    local -n _bound=$2
    _bound=1024
    if built_with_asan "$1"; then
        accessible_program_env+=(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0")
        _bound=$((16 * 1024))
    fi
}

# NAME COMMAND...: the output goes to DIR/NAME.log.
_screen_reader_spawn() {
    local name=$1 group
    shift
    register_log "$screen_reader_dir/$name.log"
    spawn_group group "$screen_reader_dir/$name.log" "$@"
    _screen_reader_groups+=("$group")
}

_screen_reader_fail() {
    echo "screen_reader: $*" >&2
    return 1
}

# Nothing from the user's desktop, settings in memory only, this session bus.
_screen_reader_environment() {
    local dir=$screen_reader_dir
    screen_reader_env=(PATH="$PATH" LANG=C.UTF-8 DISPLAY="$DISPLAY"
        HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime"
        XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
        XDG_CACHE_HOME="$dir/home/.cache" GSETTINGS_BACKEND=memory)
    if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
        screen_reader_env+=(DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS")
    fi
}

start_session_bus() {
    screen_reader_dir=$1
    local seconds=$2 socket=$1/session_bus
    [ -n "${DISPLAY:-}" ] || _screen_reader_fail "no DISPLAY: start the X server first" || return 1
    mkdir -p "$screen_reader_dir/home" "$screen_reader_dir/runtime"
    chmod 700 "$screen_reader_dir/runtime"
    unset DBUS_SESSION_BUS_ADDRESS
    _screen_reader_environment
    _screen_reader_spawn session_bus env -i "${screen_reader_env[@]}" \
        dbus-daemon --session --nofork --nopidfile --address="unix:path=$socket"
    poll "$seconds" test -S "$socket" ||
        _screen_reader_fail "the D-Bus session bus did not start" || return 1
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$socket"
}

# The launcher owns org.a11y.Bus on the session bus and starts the AT-SPI bus
# and its registry; programs and Orca ask it for the AT-SPI bus's address.
start_accessibility_bus() {
    _screen_reader_environment
    _screen_reader_spawn accessibility_bus env -i "${screen_reader_env[@]}" \
        /usr/libexec/at-spi-bus-launcher --launch-immediately
    poll "$1" dbus-send --session --print-reply=literal \
        --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
        _screen_reader_fail "the AT-SPI bus did not start" || return 1
}

# A fresh home is Orca's first start, which has no set-up dialog in Orca 43:
# it saves its default settings, speech on, and says "Screen reader on.".
# With no speech-dispatcher to spawn (SPEECHD_CMD) it goes on without one,
# keeping sound devices and stray daemons out. orca-customizations.py, which
# Orca imports at start, makes its block-buffered debug log line-buffered so
# that the log can be watched while Orca runs.
start_orca() {
    local seconds=$1
    if pgrep -u "$(id -u)" -x orca >/dev/null; then
        _screen_reader_fail "another Orca of this user runs; Orca would not start"
        return 1
    fi
    local prefs=$screen_reader_dir/home/.local/share/orca
    mkdir -p "$prefs"
    cat >"$prefs/orca-customizations.py" <<'PY'
import orca.debug

if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
PY
    _orca_log=$screen_reader_dir/orca.debug
    _screen_reader_environment
    _screen_reader_spawn orca env -i "${screen_reader_env[@]}" SPEECHD_CMD=/bin/false \
        orca --debug-file="$_orca_log"
    _orca_pid=${_screen_reader_groups[-1]}
    if [ -n "${2:-}" ]; then printf -v "$2" %s "$_orca_pid"; fi
    wait_for_speech '^Screen reader on\.$' "$seconds" ||
        _screen_reader_fail "Orca did not start; see $screen_reader_dir/orca.log" || return 1
}

start_screen_reader() {
    start_session_bus "$1" "$2" && start_accessibility_bus "$2" && start_orca "$2" "${3:-}"
}

# Qt 6 offers its widgets on the AT-SPI bus only when the bus says a screen
# reader runs or when QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set; the variable
# keeps the test independent of when Orca announces itself.
start_accessible_program() {
    local -n _program_pid_out=$1 _program_window_out=$2
    # Callers hold the executable's path under read-only names such as
    # "program", and bash refuses a local of a read-only name.
    local dir=$3 seconds=$4 _accessible_program=$5 passed
    shift 5
    local name=${_accessible_program##*/}
    mkdir -p -m 700 "$dir/program_runtime"
    _screen_reader_environment
    sanitizer_environment passed
    _screen_reader_spawn program env -i "${screen_reader_env[@]}" "${passed[@]}" \
        "${accessible_program_env[@]}" \
        XDG_RUNTIME_DIR="$dir/program_runtime" QT_QPA_PLATFORM=xcb \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$_accessible_program" "$@"
    _program_pid_out=${_screen_reader_groups[-1]}
    _program_window_out=''
    poll "$seconds" _screen_reader_find_window ||
        _screen_reader_fail "$name showed no window" || return 1
    # Without a window manager nobody activates the new window; Orca follows
    # the active window, so the test gives it the keyboard focus.
    xdotool windowfocus "$_program_window_out" 2>/dev/null ||
        _screen_reader_fail "could not focus the window of $name" || return 1
    poll "$seconds" _screen_reader_spoke_about "$name" ||
        _screen_reader_fail "Orca said nothing about $name" || return 1
}

# Called by start_accessible_program, whose variables it sets.
_screen_reader_find_window() {
    _program_window_out=$(x11_windows "$_program_pid_out" | head -n 1)
    [ -n "$_program_window_out" ]
}

# Where Orca versions word a thing differently, each version's own words, in
# the associative array VAR: major, button (HESAPLA), moo_bar (the Moo bar at
# 0) and result (how an announcement begins). A wording is accepted only from
# the version that says it, so a new version is heard once and its words
# written down here; returns 1 for a version with none. Orca 46 and later
# speak Qt 6.8's announcement as the sentence alone, where Orca 43 says the
# invisible notification's role before it. Orca 43 says "43.1" for its
# version, Orca 48 and 51 "Orca version 48.1, AT-SPI2 version: ...".
orca_wording() {
    local -n _wording=$1
    _wording=([major]=$(orca --version 2>/dev/null | grep -Eo '[0-9]+\.[0-9]+' | head -n 1 | cut -d. -f1))
    case ${_wording[major]} in
    43) _wording+=([button]="HESAPLA push button" [moo_bar]="Moo scroll bar 0.00"
        [result]="'notification Hesaplandı") ;;
    48 | 51) _wording+=([button]="HESAPLA button" [moo_bar]="Moo scroll bar 0 0 percent"
        [result]="'Hesaplandı") ;;
    *) return 1 ;;
    esac
}

start_client_buses() {
    local -n _address=$3
    start_session_bus "$1" "$2" && start_accessibility_bus "$2" || return 1
    _address=$(accessibility_bus_address)
}

# From the bus launcher on this module's session bus.
accessibility_bus_address() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress | tr -d ' '
}

# On this module's session bus, not waited for: DIR holds its home and
# runtime directory, DIR.log its output. It offers its widgets whether or not
# a screen reader runs, and has accessible_program_env besides. Its process
# group ends with the rest: a client may have left it unable to end by itself.
start_client_program() {
    local -n _client=${3:-client_pid}
    mkdir -p "$1/home" "$1/runtime"
    chmod 700 "$1/runtime"
    register_log "$1.log"
    spawn_group _client "$1.log" env -i PATH="$PATH" LANG=C.UTF-8 DISPLAY="$DISPLAY" HOME="$1/home" \
        XDG_RUNTIME_DIR="$1/runtime" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
        "${accessible_program_env[@]}" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$2"
    _screen_reader_groups+=("$_client")
}

# Orca 43 logs the program as [application | NAME], Orca 48 as
# [application: 'NAME'] and Orca 51 as [application: 'NAME' (0x...)].
_screen_reader_spoke_about() {
    awk -v old="[application | $1]" -v new="[application: '$1'" \
        'index($0, old) || index($0, new) { seen = 1 }
         seen && / - SPEECH OUTPUT: / { found = 1; exit }
         END { exit !found }' "$_orca_log"
}

# The whole speech stays as OUT_DIR/NAME_speech.txt for a look, and a failure
# prints what Orca said last.
keep_speech() {
    on_cleanup+=" _save_speech"
    at_failure _print_speech
}
_save_speech() { spoken_lines >"$(output_file speech.txt)" 2>/dev/null || true; }
_print_speech() {
    echo "--- what Orca said last:" >&2
    spoken_lines | tail -n 30 >&2 || true
}

# What Orca said, one utterance a line as SPEECH OUTPUT: '...', without the
# log's time stamps and voice settings, from the logs of Orca 43, 48 and 51.
# An utterance can span several lines of the log (a message box's text); a
# line break inside it comes out as \n.
spoken_lines() {
    [ -n "$_orca_log" ] && [ -f "$_orca_log" ] || return 0
    awk '
        function flush() { if (text != "") print text; text = "" }
        # Cuts the voice settings off the end of an utterance: a Python dict
        # after it ('...'{...} in Orca 43, '...' {...} in Orca 48), or a list
        # of them ('...' [{...}], Orca 48).
        function ends(s) {
            if (!match(s, /'\'' ?( voice=[A-Za-z_]+)?(\{('\''[a-z_-]+'\'': .*)?\}|\[\{.*\}\])$/)) return 0
            cut = substr(s, 1, RSTART)
            return 1
        }
        # Voice settings that go on over the next lines (Orca 51 prints the
        # dict across several).
        function opens(s) {
            if (!match(s, /'\'' ?\{'\''[a-z_-]+'\'': [^}]*$/)) return 0
            cut = substr(s, 1, RSTART)
            return 1
        }
        / - SPEECH OUTPUT: / {
            flush()
            text = substr($0, index($0, "SPEECH OUTPUT: "))
            settings = 0
            open = !ends(text)
            if (!open) text = cut
            else if (opens(text)) { text = cut; open = 0; settings = 1 }
            next
        }
        settings && /^                  / {
            if ($0 ~ /\}$/) settings = 0
            next
        }
        open && /^                  / {
            line = substr($0, 19)
            open = !ends(line)
            if (!open) line = cut
            else if (opens(line)) { line = cut; open = 0; settings = 1 }
            text = text "\\n" line
            next
        }
        { flush(); open = 0; settings = 0 }
        END { flush() }
    ' "$_orca_log"
}

# Whether Orca said an utterance matching REGEX (its text, without SPEECH
# OUTPUT: '...' around it) after MARK, a count taken as `spoken_lines | wc -l`
# before the key that should make it speak. The speech is read whole: a grep
# -q that stopped at the first match would break the pipe under pipefail.
_screen_reader_said_since() {
    local mark=$1 regex=$2 speech
    speech=$(spoken_lines | tail -n "+$((mark + 1))" | sed -e "s/^SPEECH OUTPUT: '//" -e "s/'\$//")
    grep -Eq -- "$regex" <<<"$speech"
}

wait_said_since() {
    poll "$3" _screen_reader_said_since "$1" "$2"
}

wait_for_speech() {
    wait_said_since 0 "$1" "$2"
}

tab_until_said() {
    local mark tab
    for ((tab = 0; tab < 8; tab++)); do
        mark=$(spoken_lines | wc -l)
        ${2:-xdotool key} Tab
        if wait_said_since "$mark" "$1" 2; then return 0; fi
    done
    return 1
}

# Until Orca's log has stood still for half a second: Orca has then dealt
# with every event so far. Returns 1 when it was still growing after SECONDS.
wait_until_orca_idle() {
    local size='' previous='' still=0 limit=$((SECONDS + $1))
    while ((still < 5)); do
        ((SECONDS < limit)) || _screen_reader_fail "Orca was still busy after $1 s" || return 1
        size=$(stat -c %s "$_orca_log" 2>/dev/null || echo 0)
        if [ "$size" = "$previous" ]; then still=$((still + 1)); else still=0; fi
        previous=$size
        sleep 0.1
    done
}

# Once idle, Orca is killed: its log is line-buffered, so nothing is lost.
# (Orca 43 only sees SIGTERM when its main loop next wakes, up to 5 s later.)
stop_orca() {
    [ -n "$_orca_pid" ] || return 0
    wait_until_orca_idle 10 || true # ended all the same
    kill -KILL -- "-$_orca_pid" 2>/dev/null || true
    wait "$_orca_pid" 2>/dev/null || true
    unwatch "$_orca_pid"
    _orca_pid=''
}

stop_screen_reader() {
    stop_orca
    stop_groups "${_screen_reader_groups[@]}"
    _screen_reader_groups=()
}
