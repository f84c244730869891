#!/usr/bin/env bash
# The real wavywall program on a dark desktop (Qt's GTK platform theme,
# Adwaita dark) on an X server of its own, with no window manager, measured
# off the screen: the main window turns dark; the focus marks of the
# streamline plot, the Mach bar and the About item reached by F10 stand out by
# 3:1; the About window stays light yellow, each of its seven lines at 4.5:1.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory for screenshots>"
readonly program=${1:?$usage} out_dir=${2:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/window_test.sh
source "$here/../support/window_test.sh"

readonly client_height=410 about_width=240
# The About window's lines: name, left and top in pixels; each is 17 high.
readonly about_lines=(Label2:40:8 Label3:48:24 Label1:64:40 Label7:40:64 Label8:80:80 Label4:8:96 Label5:56:112)

begin_window_test dark_desktop "$out_dir" 20
require_tools Xvfb xdotool import convert

ratio=''
at_least() { awk -v ratio="$ratio" -v least="$1" 'BEGIN { exit !(ratio >= least) }'; }
wait_until() {
    until_holds "until $1" on_screenshot "${@:2}" || fail "waited 20 s in vain until $1${ratio:+ (last $ratio:1)}"
}
stands_out() { ratio=$(region_contrast "$shot" "$1" "${3:-}") && at_least "$2"; }
changed() { [ "$(region_signature "$shot" "$1")" != "$2" ]; }

program_environment=(XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark)
start_display
f10=$(server_keycode FK10)
start_program pid
wait_for_main_window main_window
eval "$(xdotool getwindowgeometry --shell "$main_window")"
menu=$((HEIGHT - client_height))
xdotool windowfocus "$main_window" # there is no window manager to do it

# A row from the window's background into the pressure plot's light yellow.
wait_until "the main window is dark (is qt6-gtk-platformtheme installed?)" \
    stands_out "200x1+0+$((menu + 300))" 10
pass "the main window follows the dark desktop: $ratio:1 against a plot's light yellow"

# Measures a focus mark against what lies beside it, then moves the focus on
# with the keys given: the mark goes, so what was measured was the mark.
mark() {
    local name=$1 region=$2 beside=$3 focused
    shift 3
    wait_until "$name stands out by 3:1" stands_out "$region" 3 "$beside"
    focused=$(region_signature "$shot" "$region")
    xdotool key --delay 40 "$@"
    wait_until "$name goes with the focus" changed "$region" "$focused"
    pass "$name stands out by $ratio:1 from what lies beside it"
}
mark "the streamline plot's focus mark" "277x1+138+$((menu + 25))" "277x1+138+$((menu + 26))" \
    Tab Tab Tab Tab Tab # on to the Mach bar
mark "the Mach bar's focus mark" "47x1+57+$((menu + 48))" "47x1+57+$((menu + 47))" "$f10"
mark "the About item after F10" "36x$((menu - 10))+9+5" "40x$((menu - 10))+100+5" Escape

xdotool key --delay 40 "$f10" Return
wait_for_new_window about "About window"
eval "$(xdotool getwindowgeometry --shell "$about")"
about_painted() { (($(count_colour "$shot" "1x1+$X+$Y" '255 255 192') == 1)); }
wait_until "the About window is painted light yellow" about_painted
save_screenshot about
measured='' readable=yes
for line in "${about_lines[@]}"; do
    IFS=: read -r name left top <<<"$line"
    ratio=$(region_contrast "$shot" "$((about_width - left))x15+$((X + left))+$((Y + top + 1))")
    measured+=" $name $ratio:1"
    at_least 4.5 || readable=''
done
[ -n "$readable" ] || fail "not every line of the About window reads at 4.5:1:$measured"
pass "each line of the About window reads at 4.5:1 or more:$measured"
