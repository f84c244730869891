# The Orca screen reader listening to a program on the caller's X server, for
# tests that check what a blind user hears. Orca runs with a home of its own,
# on a D-Bus session bus and an AT-SPI bus of this library's own, and writes
# every utterance to its debug log, so no speech server or sound card is
# needed. Start the X server first (tests/support/x_server.sh).
#
#   source tests/support/x_server.sh
#   source tests/support/screen_reader.sh
#   start_x_server DIR SECONDS
#   start_screen_reader DIR SECONDS       # session bus, AT-SPI bus and Orca
#   memory_growth_bound EXECUTABLE VARIABLE
#                                         # the KiB its memory may grow, in VARIABLE
#   start_client_buses DIR SECONDS VARIABLE
#                                         # the two buses alone, the AT-SPI bus's
#                                         # address in VARIABLE
#   start_accessible_program DIR SECONDS PROGRAM [ARGUMENT...]
#                                         # sets program_pid and program_window,
#                                         # focuses the window and waits until
#                                         # Orca has spoken about the program
#   wait_for_speech REGEX SECONDS         # until Orca has said REGEX
#   wait_said_since MARK REGEX SECONDS    # the same, said after the first
#                                         # MARK spoken lines
#   wait_until_orca_idle SECONDS          # until Orca has dealt with every event
#   orca_wording                          # this Orca's words, where versions differ
#   stop_orca                             # ends Orca once it is idle
#   spoken_lines                          # SPEECH OUTPUT: '...' lines, in order
#   stop_screen_reader                    # ends all that this library started
#
# start_screen_reader is start_session_bus, start_accessibility_bus and
# start_orca, for a caller that wants them one by one. Each function returns 1
# and says why on stderr when it fails. The caller calls stop_screen_reader in
# its own EXIT trap; if the caller is killed outright, a watchdog ends the
# processes within a second. The X server stays the caller's.
#
# Orca refuses to start while another Orca of the same user runs, so two of
# these tests must not run at the same time (ctest: RESOURCE_LOCK orca).

screen_reader_dir=''
orca_pid='' orca_log=''
program_pid='' program_window=''
# More of the program's environment, NAME=VALUE each, set by the caller.
accessible_program_env=()

# Sets the variable named VARIABLE to how far, in KiB, the resident memory of
# EXECUTABLE, run by start_accessible_program or start_client_program, may
# grow over a test's rounds: 1 MiB. AddressSanitizer's quarantine of freed memory (256 MiB) would hide
# any growth, so a sanitized build runs without it, bounded more loosely at
# 16 MiB for the call stack it keeps of every new way to allocate; its leak
# check at the end stands in for the rest.
memory_growth_bound() {
    local -n _screen_reader_bound=$2
    _screen_reader_bound=1024
    if built_with_asan "$1"; then
        accessible_program_env+=(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0")
        _screen_reader_bound=$((16 * 1024))
    fi
}
# Every process starts in a process group of its own, so that stopping the
# group also ends what it spawned: the AT-SPI bus launcher's bus daemon and
# registry, and whatever the session bus activated.
screen_reader_groups=()
screen_reader_watchdog_pid=''

# Runs a command in the background in a new process group and appends the
# group's id to screen_reader_groups; the output goes to DIR/NAME.log.
_screen_reader_spawn() {
    local name=$1
    shift
    setsid "$@" </dev/null >"$screen_reader_dir/$name.log" 2>&1 &
    screen_reader_groups+=("$!")
}

_screen_reader_watchdog() {
    [ -z "$screen_reader_watchdog_pid" ] || kill "$screen_reader_watchdog_pid" 2>/dev/null || true
    local groups=("${screen_reader_groups[@]}") parent=$$
    (
        while kill -0 "$parent" 2>/dev/null; do sleep 1; done
        local group
        for group in "${groups[@]}"; do kill -KILL -- "-$group" 2>/dev/null; done
    ) </dev/null >/dev/null 2>&1 &
    screen_reader_watchdog_pid=$!
}

# Polls COMMAND until it succeeds, for at most SECONDS.
_screen_reader_poll() {
    local seconds=$1
    shift
    local limit=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < limit)) || return 1
        sleep 0.05
    done
}

_screen_reader_fail() {
    echo "screen_reader: $*" >&2
    return 1
}

# The environment of every process here: nothing from the user's desktop,
# settings kept in memory only, and this library's session bus.
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
    _screen_reader_watchdog
    _screen_reader_poll "$seconds" test -S "$socket" ||
        _screen_reader_fail "the D-Bus session bus did not start" || return 1
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$socket"
}

# The launcher owns org.a11y.Bus on the session bus and starts the AT-SPI bus
# and its registry; programs and Orca ask it for the AT-SPI bus's address.
start_accessibility_bus() {
    local seconds=$1
    _screen_reader_environment
    _screen_reader_spawn accessibility_bus env -i "${screen_reader_env[@]}" \
        /usr/libexec/at-spi-bus-launcher --launch-immediately
    _screen_reader_watchdog
    _screen_reader_poll "$seconds" dbus-send --session --print-reply=literal \
        --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
        _screen_reader_fail "the AT-SPI bus did not start" || return 1
}

# A fresh home is Orca's first start, which has no set-up dialog in Orca 43:
# it saves its default settings, speech on, and says "Screen reader on.".
# Orca logs each utterance before it hands it to speech-dispatcher; with no
# dispatcher to spawn (SPEECHD_CMD) it goes on without one, which keeps sound
# devices and stray daemons out of the test. Its debug log is block-buffered;
# orca-customizations.py, which Orca imports at start, makes it line-buffered
# so that the log can be watched while Orca runs.
start_orca() {
    local seconds=$1
    if pgrep -u "$(id -u)" -x orca >/dev/null; then
        _screen_reader_fail "another Orca of this user runs; Orca would not start"
        return 1
    fi
    local prefs=$screen_reader_dir/home/.local/share/orca
    mkdir -p "$prefs"
    cat >"$prefs/orca-customizations.py" <<'EOF'
import orca.debug

if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
EOF
    orca_log=$screen_reader_dir/orca.debug
    _screen_reader_environment
    _screen_reader_spawn orca env -i "${screen_reader_env[@]}" SPEECHD_CMD=/bin/false \
        orca --debug-file="$orca_log"
    orca_pid=${screen_reader_groups[-1]}
    _screen_reader_watchdog
    wait_for_speech '^Screen reader on\.$' "$seconds" ||
        _screen_reader_fail "Orca did not start; see $screen_reader_dir/orca.log" || return 1
}

start_screen_reader() {
    local dir=$1 seconds=$2
    start_session_bus "$dir" "$seconds" && start_accessibility_bus "$seconds" &&
        start_orca "$seconds"
}

# Qt 6 offers its widgets on the AT-SPI bus only when the bus says a screen
# reader runs or when QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set; the variable
# keeps the test independent of when Orca announces itself.
start_accessible_program() {
    # Names of the library's own: callers hold the executable's path under
    # names such as "program", read-only, and bash refuses a local of a
    # read-only name.
    local dir=$1 seconds=$2 _screen_reader_program=$3
    shift 3
    local name=${_screen_reader_program##*/}
    mkdir -p "$dir/program_runtime"
    chmod 700 "$dir/program_runtime"
    _screen_reader_environment
    sanitizer_environment # of x_server.sh
    _screen_reader_spawn program env -i "${screen_reader_env[@]}" "${sanitizer_env[@]}" \
        "${accessible_program_env[@]}" \
        XDG_RUNTIME_DIR="$dir/program_runtime" QT_QPA_PLATFORM=xcb \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$_screen_reader_program" "$@"
    program_pid=${screen_reader_groups[-1]}
    _screen_reader_watchdog
    _screen_reader_poll "$seconds" _screen_reader_find_window ||
        _screen_reader_fail "$name showed no window" || return 1
    # Without a window manager nobody activates the new window; Orca follows
    # the active window, so the test gives it the keyboard focus.
    xdotool windowfocus "$program_window" 2>/dev/null ||
        _screen_reader_fail "could not focus the window of $name" || return 1
    _screen_reader_poll "$seconds" _screen_reader_spoke_about "$name" ||
        _screen_reader_fail "Orca said nothing about $name" || return 1
}

# Where Orca versions word a thing differently, each version's own words, set
# in orca_major, orca_button (HESAPLA), orca_moo_bar (the Moo bar at 0) and
# orca_result (how an announcement begins): a wording is accepted only from the
# version that says it, so a new version is heard once and its words written
# down here. Returns 1 for a version with none. Orca 46 and later speak Qt
# 6.8's announcement as the sentence alone, where Orca 43 says the invisible
# notification's role before it. Orca 43 says "43.1" for its version, Orca 48
# and 51 "Orca version 48.1, AT-SPI2 version: ...".
orca_wording() {
    orca_major=$(orca --version 2>/dev/null | grep -Eo '[0-9]+\.[0-9]+' | head -n 1 | cut -d. -f1)
    case $orca_major in
    43) orca_button="HESAPLA push button" orca_moo_bar="Moo scroll bar 0.00"
        orca_result="'notification Hesaplandı" ;;
    48 | 51) orca_button="HESAPLA button" orca_moo_bar="Moo scroll bar 0 0 percent"
        orca_result="'Hesaplandı" ;;
    *) return 1 ;;
    esac
}

# The session bus and the AT-SPI bus for an accessibility client of the
# caller's own, with no screen reader; sets the variable named VARIABLE to the
# AT-SPI bus's address.
start_client_buses() {
    local dir=$1 seconds=$2
    local -n _screen_reader_address=$3
    start_session_bus "$dir" "$seconds" && start_accessibility_bus "$seconds" || return 1
    _screen_reader_address=$(accessibility_bus_address)
}

# The AT-SPI bus's address, from its launcher on this library's session bus.
accessibility_bus_address() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress | tr -d ' '
}

# start_client_program DIR EXECUTABLE: a program for an accessibility client
# of the caller's own, on this library's session bus, not waited for: DIR
# holds its home and runtime directory, DIR.log its output; sets client_pid.
# It offers its widgets whether or not a screen reader runs, and has
# accessible_program_env besides. It runs in a process group of its own,
# which stop_screen_reader ends with the rest: a client may have left it
# unable to end by itself.
start_client_program() {
    mkdir -p "$1/home" "$1/runtime"
    chmod 700 "$1/runtime"
    setsid env -i PATH="$PATH" LANG=C.UTF-8 DISPLAY="$DISPLAY" HOME="$1/home" \
        XDG_RUNTIME_DIR="$1/runtime" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
        "${accessible_program_env[@]}" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$2" \
        </dev/null >"$1.log" 2>&1 &
    client_pid=$!
    screen_reader_groups+=("$client_pid")
    _screen_reader_watchdog
}

_screen_reader_find_window() {
    program_window=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -n 1)
    [ -n "$program_window" ]
}

# Orca 43 logs the program as [application | NAME], Orca 48 as
# [application: 'NAME'] and Orca 51 as [application: 'NAME' (0x...)].
_screen_reader_spoke_about() {
    awk -v old="[application | $1]" -v new="[application: '$1'" \
        'index($0, old) || index($0, new) { seen = 1 }
         seen && / - SPEECH OUTPUT: / { found = 1; exit }
         END { exit !found }' "$orca_log"
}

# Prints what Orca said, one utterance a line as SPEECH OUTPUT: '...', without
# the log's time stamps and voice settings, from the logs of Orca 43 and 48
# alike. An utterance can span several lines of the log (a message box's
# text); a line break inside it comes out as \n.
spoken_lines() {
    [ -n "$orca_log" ] && [ -f "$orca_log" ] || return 0
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
    ' "$orca_log"
}

# The speech is read whole before it is matched: a grep -q that stops at the
# first match would break the pipe of a longer speech under pipefail.
# Whether Orca said an utterance matching REGEX after MARK, a count taken as
# `spoken_lines | wc -l` before the key that should make it speak. The regex
# matches an utterance's text, without SPEECH OUTPUT: '...' around it.
_screen_reader_said_since() {
    local mark=$1 regex=$2 speech
    speech=$(spoken_lines | tail -n "+$((mark + 1))" | sed -e "s/^SPEECH OUTPUT: '//" -e "s/'\$//")
    grep -Eq -- "$regex" <<<"$speech"
}

wait_said_since() {
    local mark=$1 regex=$2 seconds=$3
    _screen_reader_poll "$seconds" _screen_reader_said_since "$mark" "$regex"
}

# The same over all that Orca said since it started.
wait_for_speech() {
    local regex=$1 seconds=$2
    wait_said_since 0 "$regex" "$seconds"
}

# Ends Orca once its log has stood still for half a second, that is once it
# has dealt with every event so far. The log is line-buffered, so killing Orca
# loses nothing. Orca 43 would also shut down on SIGTERM, but it only sees the
# signal when its main loop next wakes, up to five seconds later.
# Waits, for at most SECONDS, until Orca's log has stood still for half a
# second: Orca has then dealt with every event so far. Returns 1 when the log
# was still growing at the end.
wait_until_orca_idle() {
    local size='' previous='' still=0 limit=$((SECONDS + $1))
    while ((still < 5)); do
        ((SECONDS < limit)) || _screen_reader_fail "Orca was still busy after $1 s" || return 1
        size=$(stat -c %s "$orca_log" 2>/dev/null || echo 0)
        if [ "$size" = "$previous" ]; then still=$((still + 1)); else still=0; fi
        previous=$size
        sleep 0.1
    done
}

stop_orca() {
    [ -n "$orca_pid" ] || return 0
    wait_until_orca_idle 10 || true # ended all the same
    kill -KILL -- "-$orca_pid" 2>/dev/null || true
    wait "$orca_pid" 2>/dev/null || true
    orca_pid=''
}

# A child that has ended stays a zombie until it is waited for.
_screen_reader_gone() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0
    [[ $state == Z* ]]
}

# Ends every process group started here, the last one first, so that the
# program and Orca go before the buses they talk on.
stop_screen_reader() {
    stop_orca
    local i group
    for ((i = ${#screen_reader_groups[@]} - 1; i >= 0; i--)); do
        group=${screen_reader_groups[i]}
        kill -TERM -- "-$group" 2>/dev/null || true
    done
    for group in "${screen_reader_groups[@]}"; do
        _screen_reader_poll 2 _screen_reader_gone "$group" || true
        kill -KILL -- "-$group" 2>/dev/null || true
        wait "$group" 2>/dev/null || true
    done
    screen_reader_groups=()
    if [ -n "$screen_reader_watchdog_pid" ]; then
        kill "$screen_reader_watchdog_pid" 2>/dev/null || true
        wait "$screen_reader_watchdog_pid" 2>/dev/null || true
        screen_reader_watchdog_pid=''
    fi
    program_pid=''
}
