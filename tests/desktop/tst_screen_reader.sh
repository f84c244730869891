#!/usr/bin/env bash
# What a blind student hears: the real wavywall program on an X server of its
# own with Orca listening, used by keyboard alone: the seven tab stops, a
# scroll-bar step, HESAPLA by Return and by Space, a supersonic Mach number's
# error report, and the About window opened with F10 and closed with Escape.
# The speech stays in the directory given as screen_reader_speech.txt.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory>"
readonly program=${1:?$usage} out_dir=${2:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/screen_reader.sh
source "$here/../support/screen_reader.sh"

readonly wait_limit=15 # seconds for Orca to say any one thing

keep_speech
begin_window_test screen_reader "$out_dir" "$wait_limit"
require_tools Xvfb xdotool orca dbus-daemon
require_python_gi

declare -A orca=()
orca_wording orca ||
    fail "no wording is written down for Orca ${orca[major]}: listen to it, add its words to screen_reader.sh"

start_display
f10=$(server_keycode FK10)
start_screen_reader "$tmp" "$wait_limit" orca_pid || fail "the screen reader did not start"
# Every message on the AT-SPI bus is recorded, to check at the end how the
# program answered each call Orca made.
atspi_address=$(accessibility_bus_address)
dbus-monitor --address "$atspi_address" >"$tmp/atspi_bus.txt" 2>"$tmp/atspi_monitor.log" &
watch pid $!
start_accessible_program pid window "$tmp" "$wait_limit" "$program" || fail "the program did not start"
follow_program "$pid"

# Speech from here on only: what each step adds to the log.
said_before=0
mark() { said_before=$(spoken_lines | wc -l); }
new_speech() { spoken_lines | tail -n "+$((said_before + 1))"; }
heard() {
    local speech
    speech=$(new_speech)
    grep -Fq -- "$1" <<<"$speech"
}
# expect WHAT TEXT: until Orca has said the text.
expect() {
    local what=$1 text=$2 limit=$((SECONDS + wait_limit))
    until heard "$text"; do
        ((SECONDS < limit)) || fail "Orca ${orca[major]} did not say \"$text\" ($what)"
        sleep 0.1
    done
    pass "$what: \"$text\""
}
press() {
    mark
    xdotool key --delay 50 "$@"
}
type_over() {
    xdotool key --delay 30 ctrl+a BackSpace
    xdotool type --delay 30 "$1"
}

# steps <<TABLE: KEYS|WHAT|TEXT a line: the keys pressed (none: more speech
# of the last ones; "type TEXT": typed over the box), then until Orca has said
# the text. Lines starting with # are comments.
steps() {
    local keys what text
    while IFS='|' read -r keys what text; do
        case $keys in
        '#'*) continue ;;
        type\ *) type_over "${keys#type }" ;;
        ?*) press $keys ;;
        esac
        [ -z "$what" ] || expect "$what" "$text"
    done
}

# The seven tab stops, in their order, from the first plot round to it again.
# A slow build (AddressSanitizer) can still be telling Orca about the new
# window; a key pressed before Orca has spoken the first focus loses its
# focus change, so the round starts once it has. From then on each focus move
# is heard before the next key, as a student listening would wait: keys run
# ahead of an Orca busy on a loaded machine pile up its work, and it was then
# seen to speak no focus change at all for longer than the wait.
steps <<STEPS
|the first tab stop has the focus|Akım çizgileri
Tab|second tab stop|Duvar üzerinde basınç katsayılarının dağılımı
Tab|third tab stop|${orca[button]}
Tab|fourth tab stop|H/L =
Tab|fifth tab stop|Moo =
Tab|sixth tab stop, the bar says its input|${orca[moo_bar]}
Tab|seventh tab stop|H/L scroll bar 0.01
Tab|round to the first tab stop|Akım çizgileri
# A step of the Moo bar: its new input and the recalculation's result.
shift+Tab|back on the H/L bar|H/L scroll bar
shift+Tab|back on the Moo bar|Moo scroll bar
Right|a bar step says the input|'0.01'
|a bar step is announced|Hesaplandı, Moo = 0.01, H/L = 0.01: Cp1 -0.1257 ile 0.1257
# Typed inputs and HESAPLA pressed by Return, then by Space.
shift+Tab|on the Moo box|Moo =
type 0.5
shift+Tab|on the H/L box|H/L =
type 0.1
shift+Tab|on HESAPLA|${orca[button]}
Return|Return on HESAPLA is announced|Hesaplandı, Moo = 0.5, H/L = 0.1: Cp1 -1.451 ile 1.451, Cp2 -1.676 ile 1.676
|the result is an utterance of its own|SPEECH OUTPUT: ${orca[result]}, Moo = 0.5, H/L = 0.1: 
|with the streamlines' amplitudes|genlik 0.5, 1, 1.5 yükseklikte sıkıştırılamaz 0.03457, 0.001494, 6.456E-05, sıkıştırılabilir 0.05266, 0.003467, 0.0002282.
Tab|forward to the H/L box|H/L =
type 0.2
shift+Tab|back on HESAPLA|${orca[button]}
space|Space on HESAPLA is announced|Hesaplandı, Moo = 0.5, H/L = 0.2
# A supersonic Mach number: the error is an alert that teaches. Orca busy
# elsewhere can speak a focus change after the report it led to, and then
# read the report again as its window comes back: the report is asked for
# once Orca has said where the focus is.
Tab|to the H/L box again|H/L =
Tab|to the Moo box again|Moo =
type 1.5
shift+Tab|back to the H/L box|H/L =
shift+Tab|on HESAPLA again|${orca[button]}
Return|the error is an alert|alert
|with its number and kind|Run-time error 5: invalid procedure call or argument
|and what to do|Moo = 1.5 için Beta
|its button has the focus|'OK 
STEPS
press Return
sleep 0.5
program_running || fail "the program ended after the error report"
pass "the program runs on after the error report"
# A window manager gives the focus back to the main window when the report
# closes; there is none here.
xdotool windowfocus "$window"

# The About window, by keyboard alone.
press "$f10"
expect "F10 reaches the About item" "About"
press Return
expect "the About window reads its lines" "Program for Calculating Linearized subsonic potential flows."
expect "to the end" "For comments and questions e-mail to"
xdotool search --onlyvisible --name '^About$' >/dev/null || fail "no About window is shown"
press Escape
about_shown() { xdotool search --onlyvisible --name '^About$' >/dev/null 2>&1; }
wait_while "Escape did not close the About window" about_shown
pass "Escape closes the About window"
program_running || fail "the program ended"

# Every call Orca made reached the toolkit's bridge through the guard and was
# answered, none refused.
wait_until_orca_idle "$wait_limit" || fail "Orca was still busy at the end"
/usr/bin/python3 "$here/orca_traffic.py" "$tmp/atspi_bus.txt" "$atspi_address" "$pid" \
    "$orca_pid" >"$out_dir/screen_reader_orca_calls.txt" ||
    fail "a call of Orca's got an error answer or none: $(grep -m 5 -e '^ERROR' -e 'calls of Orca' \
        "$out_dir/screen_reader_orca_calls.txt")"
pass "$(head -n 1 "$out_dir/screen_reader_orca_calls.txt")"

# The report was read once: not again as the alert closed, and not as its
# as its text twice.
reports=$(spoken_lines | grep -Fc "Run-time error 5: invalid procedure call or argument" || true)
((reports == 1)) || fail "Orca ${orca[major]} read the error report $reports times"
pass "the error report was read once"

echo "$checks passed, 0 failed"
