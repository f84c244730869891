#!/usr/bin/env bash
# A long random use of the real wavywall program by keyboard alone with Orca
# listening: a few hundred keys among Tab, Shift+Tab, the arrows, Home, End,
# Return, Space, digits, letters, F10 and Escape, so that plots are
# recalculated, error reports come and are answered and the About window opens
# and closes. The program runs throughout, and its resident memory (VmRSS),
# read at the end of each round with every dialog answered, grows by less than
# 1 MiB from the end of a warm-up round to the end of the last: a leak shows as
# growth round after round, where a high-water mark would hide one that stays
# under the warm-up's peak. A failure prints the seed and the keys so far; the
# seed given as third argument plays them again.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory> [SEED]"
readonly executable=${1:?$usage} out_dir=${2:?$usage} seed=${3:-1234}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/screen_reader.sh
source "$here/../support/screen_reader.sh"

readonly wait_limit=15   # seconds for Orca or a window to come up
readonly warm_up_keys=80 # keys before the resident memory is first read
readonly rounds=4 round_keys=80 # rounds after it, random keys in each

# A failure says how to play the same keys again, then what Orca said last.
keys=()
report_keys() {
    echo "seed $seed; replay with: $0 $executable $out_dir $seed" >&2
    echo "the ${#keys[@]} keys so far: ${keys[*]}" >&2
}
on_failure=report_keys
keep_speech
begin_window_test keyboard_soak "$out_dir" "$wait_limit"
require_tools Xvfb xdotool orca dbus-daemon
echo "# seed $seed"

# A sanitized build runs without AddressSanitizer's quarantine (about 5 MiB of
# call stacks kept over this soak).
memory_growth_bound "$executable" allowed_growth_kib
sanitized=''
! built_with_asan "$executable" || sanitized=yes

start_display
f10=$(server_keycode FK10)
start_screen_reader "$tmp" "$wait_limit" || fail "the screen reader did not start"
start_accessible_program pid main_window "$tmp" "$wait_limit" "$executable" ||
    fail "the program did not start"
follow_program "$pid"

resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }

# The keys a student at the keyboard uses, Return and Escape among them so
# that menus, error reports and the About window are answered as they come.
readonly pool=(Tab Tab Tab shift+Tab shift+Tab Left Right Up Down Home End Return Return space
    "$f10" Escape BackSpace ctrl+a period minus 0 1 2 3 4 5 6 7 8 9 a e h m z)
RANDOM=$seed

# A window of the program other than the main one is an error report or the
# About window. Each is left to the random keys for a few of them, then
# answered: the report by Return, the About window by Escape. Without a
# window manager nobody gives the focus back to the main window afterwards.
# Windows that appear while the random keys are pressed are counted apart
# from those the scripted steps open.
dialog_keys=0 pressing_random=0
declare -A opened_by_random=() answered=([report]=0 [About]=0) random=([report]=0 [About]=0)
answer_windows() {
    local window open=0 kind key
    for window in $(visible_windows); do
        [ "$window" = "$main_window" ] && continue
        open=1
        ((pressing_random)) && opened_by_random[$window]=1
        ((dialog_keys++ < 3)) && continue
        kind=report key=Return
        if [ "$(xdotool getwindowname "$window" 2>/dev/null)" = About ]; then kind=About key=Escape; fi
        keys+=("[$kind:$key]")
        answered[$kind]=$((answered[$kind] + 1))
        [ -z "${opened_by_random[$window]:-}" ] || random[$kind]=$((random[$kind] + 1))
        xdotool windowfocus --sync "$window" key "$key" 2>/dev/null || true
    done
    if ((open == 0 && dialog_keys > 0)); then
        dialog_keys=0
        xdotool windowfocus "$main_window" 2>/dev/null || true
    fi
}

press_random_keys() {
    local count=$1 i key
    pressing_random=1
    for ((i = 0; i < count; i++)); do
        key=${pool[RANDOM % ${#pool[@]}]}
        keys+=("$key")
        xdotool key --delay 20 "$key"
        program_running || fail "the program ended after the key $key"
        answer_windows
    done
    pressing_random=0
}

press() {
    keys+=("$@")
    xdotool key --delay 20 "$@"
}

# Orca may be busy with the events of many keys.
wait_for_orca_to_catch_up() { wait_until_orca_idle 30; }

# Back in the main window, its menu closed, whatever the random keys left.
settle() {
    wait_for_orca_to_catch_up
    dialog_keys=3
    answer_windows
    sleep 0.3
    answer_windows
    xdotool windowfocus "$main_window" 2>/dev/null || true
    sleep 0.2
    press Escape
}

# The About window by its menu, and an error report: a supersonic Mach
# number typed into the Moo box and HESAPLA pressed, two tab stops back.
# A slow build (AddressSanitizer) can lose a key while Orca catches up; a
# menu bar left with the focus lets go of it at Escape, and F10 comes again.
open_about() {
    local mark attempt
    for attempt in 1 2 3; do
        settle
        mark=$(spoken_lines | wc -l)
        press "$f10" Return
        if wait_said_since "$mark" 'Program for Calculating' "$wait_limit"; then
            dialog_keys=3
            answer_windows
            return
        fi
        dialog_keys=3 # closes an About window that opened unheard
        answer_windows
        press Escape
    done
    fail "F10 and Return did not open the About window in $attempt tries"
}
tab_to() { tab_until_said "^$1" press || fail "Tab did not reach $1"; }
provoke_error_report() {
    local mark
    settle
    tab_to 'Moo = text'
    press ctrl+a 1 period 5 shift+Tab shift+Tab
    mark=$(spoken_lines | wc -l)
    press Return
    wait_said_since "$mark" 'Run-time error' "$wait_limit" || fail "HESAPLA gave no error report"
    dialog_keys=3
    answer_windows
}

# Adds the resident memory at the end of a round to resident: every dialog
# answered, Orca caught up. (Not in a subshell: settle counts what it answers.)
resident=()
read_resident() {
    settle
    answer_windows
    resident+=("$(resident_kib)")
}
# Each kind of window is made once, then the warm-up round, before the
# resident memory is first read; each round after it opens both again.
open_about
provoke_error_report
press_random_keys "$warm_up_keys"
read_resident
spoken_before=$(spoken_lines | wc -l)

for ((round = 1; round <= rounds; round++)); do
    press_random_keys "$round_keys"
    open_about
    provoke_error_report
    read_resident
done
program_running || fail "the program ended"
growth=$((resident[rounds] - resident[0]))
pass "the program ran through ${#keys[@]} keys, $((warm_up_keys + rounds * round_keys)) of them random"
echo "# ${answered[report]} error reports answered, the About window closed ${answered[About]} times;" \
    "${random[report]} and ${random[About]} of them opened by the random keys"
((answered[report] >= 4 && answered[About] >= 4)) || fail "too few error reports or About windows"
# The scripted steps open four of each whatever the random keys do; the
# random keys must open some themselves, or the soak used no dialog at random.
((random[report] >= 1 && random[About] >= 1)) ||
    fail "the random keys opened ${random[report]} error reports and ${random[About]} About windows"
echo "# resident memory after the warm-up and after each round, KiB: ${resident[*]}"
((growth < allowed_growth_kib)) ||
    fail "the resident memory grew by $growth KiB over $rounds rounds, more than $allowed_growth_kib KiB"
pass "the resident memory grew by $growth KiB over $rounds rounds, less than $allowed_growth_kib KiB${sanitized:+ (AddressSanitizer without quarantine)}"
spoken_after=$(spoken_lines | wc -l)
((spoken_after > spoken_before)) || fail "Orca said nothing during the soak"
pass "Orca spoke $((spoken_after - spoken_before)) utterances during the soak"
# Whatever the keys left in the boxes, Orca still speaks a recalculation.
settle
tab_to 'H/L = text'
press ctrl+a 0 period 1 Tab ctrl+a 0 period 5 shift+Tab shift+Tab
mark=$(spoken_lines | wc -l)
press Return
wait_said_since "$mark" 'Hesaplandı, Moo = 0.5, H/L = 0.1' "$wait_limit" ||
    fail "Orca did not speak the recalculation after the soak"
pass "Orca still speaks a recalculation"

# The user closes the window, as a window manager's close button does: the
# program ends normally, and a sanitized build reports its leaks on the way.
/usr/bin/python3 "$here/../support/close_window.py" "$main_window" ||
    fail "could not ask the main window to close"
# A program that has ended stays a zombie until it is waited for.
program_alive() { [[ $(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null) =~ ^[^Z]$ ]]; }
wait_while "the program did not end after its window was closed" program_alive
status=0
wait "$pid" || status=$?
if grep -E -q 'ERROR: (Address|UndefinedBehavior)Sanitizer|runtime error:' "$tmp/program.log"; then
    sed -n -E '/ERROR: (Address|UndefinedBehavior)Sanitizer|runtime error:/,$p' \
        "$tmp/program.log" | head -n 120 >&2
    fail "the program reported a sanitizer error; see the lines above"
fi
# Each leak LeakSanitizer reports, by its allocation's first two frames: the
# program's own when any frame lies in its code; else the one leak of the
# toolkit's that is excused. Qt 6.4's accessibility bridge keeps a copy of a
# key event until the screen reader answers, and leaks it when the window has
# gone meanwhile: the copy comes from operator new called in Qt's GUI library
# (its frames bear no names), one object the size of a key event, and its text
# from QArrayData::allocate. Anything else fails. LeakSanitizer's exit status
# counts the excused leak too (abort_on_error makes it that of an abort).
repo=$(cd "$here/../.." && pwd)
leaks=$(awk -v source="$repo/" -v binary="$executable+" '
    # Prints the kind, the number of objects and the record of each leak.
    function flush() { if (record != "") print kind "\t" objects "\t" record; record = "" }
    /(Direct|Indirect) leak of [0-9]+ byte\(s\) in [0-9]+ object/ {
        flush(); record = $0; bytes = $4; objects = $7; kind = "other"; frame = 0; next
    }
    record != "" && /^ *#[0-9]+ / {
        if (index($0, source) || index($0, binary)) kind = "own"
        if (frame == 0) allocator = $0
        if (frame == 1 && kind == "other") {
            if ($0 ~ /^ *#1 0x[0-9a-f]+ +\([^ ]*libQt6Gui\.so[^ ]*\)$/ && record ~ /^Direct/ &&
                allocator ~ / in operator new/ && bytes / objects <= 128)
                kind = "key event copy"
            else if (record ~ /^Indirect/ && $0 ~ / in QArrayData::allocate.*libQt6Core\.so/)
                kind = "key event text"
        }
        frame++
        next
    }
    { flush() }
    END { flush() }' "$tmp/program.log")
objects_of() { awk -F '\t' -v kind="$1" '$1 == kind { n += $2 } END { print n + 0 }' <<<"$leaks"; }
copies=$(objects_of "key event copy") texts=$(objects_of "key event text")
leak_report() { sed -n '/ERROR: LeakSanitizer/,$p' "$tmp/program.log" | head -n 120 >&2; }
if grep -q '^own' <<<"$leaks"; then
    leak_report
    fail "the program leaked: $(grep -m 3 '^own' <<<"$leaks" | cut -f 3)"
fi
if grep -q '^other' <<<"$leaks" || ((texts > copies)); then
    leak_report
    fail "a leak that is not the toolkit's key event copy: $(grep -m 3 -e '^other' -e '^key event text' <<<"$leaks" | cut -f 3)"
fi
if [ -n "$sanitized" ] && ((status == 23 || status == 134)) &&
    grep -q 'ERROR: LeakSanitizer' "$tmp/program.log"; then
    echo "# the toolkit's key event copies leaked: $copies, with $texts texts"
    status=0
fi
((status == 0)) || fail "the program ended with status $status after its window was closed"
pass "the program ends normally when its window is closed${sanitized:+, with no leak of its own}"

echo "$checks passed, 0 failed"
