#!/usr/bin/env bash
# The real wavywall program as a native Wayland client: Qt's Wayland platform
# on sway's headless backend, by keyboard alone (wtype), checked on
# screenshots (grim). The same program and keys on an X server of its own
# first: what it shows there at start, after Tab, Tab again and Return (which
# draws both plots) it must show on Wayland pixel for pixel. Then, on Wayland
# alone, the error report for a supersonic Mach number, closed by Return, and
# the About window, opened by F10 and Return, closed by Escape.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory for screenshots>"
program=${1:?$usage} # the session's user may need a copy
readonly out_dir=${2:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/window_test.sh
source "$here/../support/window_test.sh"
# shellcheck source=../support/main_window.sh
source "$here/../support/main_window.sh"
# shellcheck source=../support/wayland_session.sh
source "$here/../support/wayland_session.sh"

readonly controls=(0 0 132 180) # the picture boxes' frames show the focus; these the rest
readonly wait_limit=20 # seconds for any one thing to show on the screen

begin_window_test wayland_window "$out_dir" "$wait_limit"
require_tools Xvfb xdotool import convert compare
[ -x "$program" ] || fail "no program at $program: build the wavywall target first"

# The regions compared, in the main window's coordinates, once the menu bar's
# height is known: name, then the region as WxH+X+Y.
compared=()
box_region() { echo "${3}x${4}+$1+$((menu + $2))"; }
set_regions() {
    compared=("the menu bar" "${client_width}x${menu}+0+0"
        "the streamline plot" "$(box_region "${akim_box[@]}")"
        "the pressure plot" "$(box_region "${basinc_box[@]}")"
        "the controls" "$(box_region "${controls[@]}")")
}
# A region of the main window as a region of the screen.
on_screen() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$1"
    echo "${w}x${h}+$((win_x + x))+$((win_y + y))"
}
main_area() { echo "${client_width}x$((menu + client_height))+$win_x+$win_y"; }
# Both plot boxes are painted: light yellow at their centres.
plots_painted() {
    local box
    for box in "${compared[3]}" "${compared[5]}"; do
        local w h x y
        IFS='x+' read -r w h x y <<<"$box"
        (($(count_colour "$shot" "1x1+$((win_x + x + w / 2))+$((win_y + y + h / 2))" "$yellow") == 1)) || return 1
    done
}
previous_signature=''
window_changed() {
    [ "$(region_signature "$shot" "$(main_area)")" != "$previous_signature" ]
}

# The four steps, with the keys that lead to each.
readonly step_names=(start tab tab_again return)
readonly step_keys=('' Tab Tab Return)
readonly step_texts=("at start" "after Tab" "after Tab again" "after Return")

# --- The reference: the same program and keys on an X server -----------------

start_display
start_program pid
wait_for_main_window main_window
measure_main_window
set_regions
readonly x11_size="${client_width}x$((menu + client_height))"
xdotool windowfocus "$main_window" # there is no window manager to do it
for i in "${!step_names[@]}"; do
    if [ -n "${step_keys[i]}" ]; then
        xdotool key "${step_keys[i]}"
        wait_for "the window changes on X11 ${step_texts[i]}" "$(main_area)" window_changed
    else
        wait_for "the plots are painted on X11" "$(main_area)" plots_painted
    fi
    previous_signature=$(region_signature "$shot" "$(main_area)")
    convert "$shot" -crop "$(main_area)" +repage "$tmp/x11_${step_names[i]}.png"
done
cp "$tmp/x11_return.png" "$out_dir/wayland_window_x11_reference.png"
stop_program
x11_menu=$menu
pass "on X11 the program shows its window at start and after Tab, Tab and Return"

# The X11 pictures themselves: plain plots at start, the focus mark moving
# from the streamline plot to the pressure plot to HESAPLA, and Return
# drawing both plots. INDEX is a region's in compared.
reference_differs() { # INDEX STEP STEP
    local region=${compared[$1 + 1]}
    [ "$(region_signature "$tmp/x11_$2.png" "$region")" != "$(region_signature "$tmp/x11_$3.png" "$region")" ]
}
plain_inside() { # INDEX STEP: the box inside its 2 px border is all light yellow
    local w h x y
    IFS='x+' read -r w h x y <<<"${compared[$1 + 1]}"
    (($(count_colour "$tmp/x11_$2.png" "$((w - 4))x$((h - 4))+$((x + 2))+$((y + 2))" "$yellow") == (w - 4) * (h - 4)))
}
plain_inside 2 start && plain_inside 4 start || fail "on X11 the plots are not plain light yellow at start"
reference_differs 2 start tab && reference_differs 4 start tab ||
    fail "on X11 Tab did not move the focus mark from the streamline plot to the pressure plot"
reference_differs 6 tab tab_again && reference_differs 4 tab tab_again ||
    fail "on X11 the second Tab did not move the focus mark from the pressure plot to HESAPLA"
reference_differs 2 tab_again return && reference_differs 4 tab_again return ||
    fail "on X11 Return on HESAPLA did not draw both plots"
pass "on X11 the plots are plain at start; Tab moves the focus mark from the streamline plot" \
    "to the pressure plot, then to HESAPLA; Return draws both plots"

# --- The same on Wayland ---------------------------------------------------------

start_wayland_session "$tmp" "$wait_limit"
use_wayland_session
program=$(session_program "$program")
[ -n "$program" ] || fail "the session's user can run no copy of the program"
pass "sway's headless output is 1024x768 at scale 1 (WAYLAND_DISPLAY=$WAYLAND_DISPLAY, user $session_user)"

start_program pid
wait_for_main_window main_window
measure_main_window
set_regions
((menu == x11_menu)) || fail "the menu bar is $menu px high on Wayland, $x11_menu px on X11"
[ "$(wayland_window_title "$main_window")" = "$title" ] ||
    fail "the main window is named '$(wayland_window_title "$main_window")', not '$title'"
pass "on Wayland the main window is shown, named '$title', $x11_size as on X11, at $win_x,$win_y"

# How many pixels of each region differ from the X11 picture of a step;
# nothing when none do.
differences=''
compare_with_x11() {
    local step=$1 i mine theirs n
    differences=''
    for ((i = 0; i < ${#compared[@]}; i += 2)); do
        mine=$(region_signature "$shot" "$(on_screen "${compared[i + 1]}")")
        theirs=$(region_signature "$tmp/x11_$step.png" "${compared[i + 1]}")
        if [ "$mine" != "$theirs" ]; then
            convert "$shot" -crop "$(on_screen "${compared[i + 1]}")" +repage "$tmp/mine.png"
            convert "$tmp/x11_$step.png" -crop "${compared[i + 1]}" +repage "$tmp/theirs.png"
            n=$(compare -metric AE "$tmp/mine.png" "$tmp/theirs.png" null: 2>&1 || true)
            differences+="${differences:+, }${compared[i]} in $n pixels"
        fi
    done
    [ -z "$differences" ]
}
# Waits until the main window looks as on X11 at a step, or fails naming the
# regions that do not.
wait_like_x11() {
    until_holds "until $2" on_screenshot compare_with_x11 "$1" ||
        fail "waited $wait_limit s in vain until $2: differs from X11 in $differences"
}

for i in "${!step_names[@]}"; do
    if [ -n "${step_keys[i]}" ]; then press_keys "${step_keys[i]}"; fi
    wait_like_x11 "${step_names[i]}" "the window looks as on X11 ${step_texts[i]}"
    save_screenshot "${step_names[i]}"
    pass "${step_texts[i]} the main window has the pixels it has on X11"
done

# What the last comparison means, read off the Wayland screenshot itself.
plots="$(on_screen "${compared[3]}") $(on_screen "${compared[5]}")"
count() { count_colour "$shot" "$1" "$2"; }
for plot in $plots; do
    (($(count "$plot" "$blue") > 0 && $(count "$plot" "$black") > 0)) ||
        fail "the plot at $plot shows no blue curve or no black wall and axes after Return"
    (($(count "$plot" "$red") == 0)) || fail "red shows in the plot at $plot at Mach 0"
done
pass "Tab Tab Return draws blue curves and black walls and axes in both plots, no red at Mach 0"

# --- A supersonic Mach number: the error report, closed by Return ------------------

plots_before=$(regions_signature "$shot" "$plots")
# From HESAPLA over the H/L box to the Moo box, and back.
press_keys Tab Tab ctrl+a 1 period 5 shift+Tab shift+Tab Return
expect_report_closed "Mach number 1.5 and Return on HESAPLA" "$plots" "$plots_before" press_keys Return

# --- The About window: F10 and Return, closed by Escape ----------------------------

menu_region=$(on_screen "${compared[1]}")
menu_before=$(region_signature "$shot" "$menu_region")
menu_highlighted() { [ "$(region_signature "$shot" "$menu_region")" != "$menu_before" ]; }
press_keys F10
wait_for "F10 highlights the About item" "$menu_region" menu_highlighted
pass "F10 shows the focus on the menu bar's About item"

press_keys Return
expect_about about_area "Return on the About item"

close_dialog "About window" press_keys Escape
pass "Escape closes the About window; the program runs on with its main window"

echo "all $checks checks passed; screenshots in $out_dir:" \
    "wayland_window_{start,tab,tab_again,return,error,about}.png and wayland_window_x11_reference.png"
