#!/usr/bin/env bash
# Installs what is missing, builds the release benchmarks (preset "bench") and
# measures what the accessibility guard costs a screen reader: the first walk
# of the main window's accessible tree, against the program and against the
# same program with the toolkit's bridge alone, both under Xvfb on an AT-SPI
# bus of their own, in one run, ending with the ratio. Arguments go to the
# benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
cmake --preset bench >/dev/null
cmake --build --preset bench --target wavywall wavywall_bridge_alone bench_accessibility_walk
root=$PWD
# shellcheck source=../tests/support/x_server.sh
source tests/support/x_server.sh
# shellcheck source=../tests/support/screen_reader.sh
source tests/support/screen_reader.sh

tmp=$(mktemp -d "${TMPDIR:-/tmp}/bench-accessibility.XXXXXX")
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill -KILL -- "-$pid" 2>/dev/null || true; done
    stop_screen_reader
    stop_processes "$x_server_pid"
    rm -rf "$tmp"
}
trap cleanup EXIT
start_x_server "$tmp" 15 || exit 1
start_session_bus "$tmp" 15 || exit 1
start_accessibility_bus 15 || exit 1
address=$(accessibility_bus_address)

# The bus name of a process, once its accessible root answers.
bus_name_of() {
    local pid=$1 name
    for _ in $(seq 150); do
        for name in $(dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.ListNames); do
            [[ $name == :* ]] || continue
            [ "$(dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus \
                /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
                "string:$name" 2>/dev/null | awk '{ print $2 }')" = "$pid" ] || continue
            if dbus-send --bus="$address" --print-reply --dest="$name" \
                /org/a11y/atspi/accessible/root org.a11y.atspi.Accessible.GetRole \
                >/dev/null 2>&1; then
                echo "$name"
                return 0
            fi
        done
        sleep 0.1
    done
    echo "process $pid offers no accessible objects" >&2
    return 1
}
start_copy() {
    start_client_program "$tmp/$1" "$2"
    pids+=("$client_pid")
}
start_copy guarded "$root/build/release/app/wavywall"
guarded=$(bus_name_of "${pids[0]}")
start_copy alone "$root/build/release/app/wavywall_bridge_alone"
alone=$(bus_name_of "${pids[1]}")
"$root/build/release/bench/bench_accessibility_walk" "$address" "$guarded" "${pids[0]}" \
    "$alone" "${pids[1]}" "$@"
