#!/usr/bin/env bash
# Start-up time and peak memory of wavywall against a bare Qt window of the
# same size (bench/bare_window: the same 447x410 client area below a Qt menu
# bar with one item, showing one line of text). Both are release builds and
# run on an X server of this script's own, alternately, RUNS times each after
# one unmeasured start of each. Start-up is the time from starting the
# executable to the X server reporting its window mapped; memory is the peak
# resident set (VmHWM) half a second after that. Prints the medians and the
# ratios program / bare window.
#
# usage: scripts/startup-check.sh          (RUNS=9 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

readonly runs=${RUNS:-9}
readonly settle=0.5     # seconds after the map before memory is read
readonly wait_limit=20  # seconds for a window to be mapped
readonly time_target=1.10 memory_target=1.10

scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target wavywall bare_window >/dev/null
readonly program=build/release/app/wavywall
readonly bare=build/release/bench/bare_window

# shellcheck source=../tests/support/x_server.sh
source tests/support/x_server.sh
tmp=$(mktemp -d "${TMPDIR:-/tmp}/startup-check.XXXXXX")
xvfb_pid='' watcher_pid='' app_pid=''
cleanup() {
    stop_processes "$app_pid" "$watcher_pid" "$xvfb_pid"
    rm -rf "$tmp"
}
trap cleanup EXIT

started=yes
start_x_server "$tmp" "$wait_limit" || started=''
xvfb_pid=$x_server_pid
if [ -z "$started" ]; then
    echo "startup-check: Xvfb did not start" >&2
    exit 1
fi

# Without a window manager every top-level window is a child of the root
# window, so xev on the root's substructure reports each one being mapped.
mkfifo "$tmp/events"
stdbuf -oL xev -root -event substructure >"$tmp/events" 2>"$tmp/xev.log" &
watcher_pid=$!
exec 4<"$tmp/events"

# Both programs get the same fixed environment, with a home and runtime
# directory kept across runs so that caches are warm.
mkdir -m 700 "$tmp/home" "$tmp/runtime"
fixed_environment "$tmp/home" "$tmp/runtime"

# Drops whatever the watcher reported since the last run.
drain_events() {
    local line
    while read -r -t 0.2 -u 4 line; do :; done
}

# measure <executable>: sets start_us (start-up in microseconds) and peak_kib.
measure() {
    drain_events
    local start=$EPOCHREALTIME
    env -i "${fixed_env[@]}" "$1" </dev/null >>"$tmp/programs.log" 2>&1 &
    app_pid=$!
    local line mapped=''
    while read -r -t "$wait_limit" -u 4 line; do
        if [[ $line == MapNotify* ]]; then
            mapped=$EPOCHREALTIME
            break
        fi
    done
    if [ -z "$mapped" ]; then
        echo "startup-check: $1 mapped no window within $wait_limit s" >&2
        exit 1
    fi
    sleep "$settle"
    local peak
    peak=$(awk '/^VmHWM:/ {print $2}' "/proc/$app_pid/status")
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=''
    local micro_start=${start/./} micro_mapped=${mapped/./}
    start_us=$((10#$micro_mapped - 10#$micro_start))
    peak_kib=$peak
}

median() {
    sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

measure "$program"
measure "$bare"
: >"$tmp/program.txt"
: >"$tmp/bare.txt"
printf '%-4s %22s %22s\n' run 'wavywall ms / KiB' 'bare window ms / KiB'
for ((i = 1; i <= runs; i++)); do
    measure "$program"
    echo "$start_us $peak_kib" >>"$tmp/program.txt"
    row="$i $start_us $peak_kib"
    measure "$bare"
    echo "$start_us $peak_kib" >>"$tmp/bare.txt"
    echo "$row $start_us $peak_kib" |
        awk '{printf "%-4s %13.1f / %6d %13.1f / %6d\n", $1, $2 / 1000, $3, $4 / 1000, $5}'
done

program_time=$(cut -d' ' -f1 "$tmp/program.txt" | median)
bare_time=$(cut -d' ' -f1 "$tmp/bare.txt" | median)
program_memory=$(cut -d' ' -f2 "$tmp/program.txt" | median)
bare_memory=$(cut -d' ' -f2 "$tmp/bare.txt" | median)

awk -v pt="$program_time" -v bt="$bare_time" -v pm="$program_memory" -v bm="$bare_memory" \
    -v tt="$time_target" -v mt="$memory_target" -v runs="$runs" 'BEGIN {
    printf "\nMedians of %d runs each:\n", runs
    printf "  %-34s %10s %12s\n", "", "wavywall", "bare window"
    printf "  %-34s %10.1f %12.1f\n", "start-up to window mapped (ms)", pt / 1000, bt / 1000
    printf "  %-34s %10d %12d\n", "peak resident memory (KiB)", pm, bm
    printf "  start-up ratio wavywall / bare = %.3f   target <= %.2f, %s\n", pt / bt, tt, (pt / bt <= tt) ? "met" : "NOT MET"
    printf "  memory ratio   wavywall / bare = %.3f   target <= %.2f, %s\n", pm / bm, mt, (pm / bm <= mt) ? "met" : "NOT MET"
}'
