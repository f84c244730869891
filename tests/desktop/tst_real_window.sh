#!/usr/bin/env bash
# The real wavywall program on its own X server, used as a person would with
# the pointer and the keyboard, checked on the screen: blank plots, plots after
# HESAPLA, the compressible curves after moving the bars, the error report for
# a supersonic Mach number that the program survives, and the About window.
# With no window manager the main window sits at the screen's top left.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory for screenshots>"
readonly program=${1:?$usage} out_dir=${2:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/window_test.sh
source "$here/../support/window_test.sh"
# shellcheck source=../support/main_window.sh
source "$here/../support/main_window.sh"

readonly plot_palette="$yellow $black $blue $red $grid"

# The main window's client area and the places of its controls in it, pixels.
readonly plot_centre_x=277
readonly text_moo=(16 48 41 19) text_hbl=(16 104 41 19)
readonly moo_right_arrow=(98 56) hbl_right_arrow=(98 112)
readonly moo_bar=(56 48 49 17) hbl_bar=(56 104 49 17)

readonly wait_limit=20 # seconds for any one thing to show on the screen

begin_window_test real_window "$out_dir" "$wait_limit"

require_tools Xvfb xdotool import convert
[ -x "$program" ] || fail "no program at $program: build the wavywall target first"

# --- The main window appears, blank ------------------------------------------

start_display
f10=$(server_keycode FK10)
start_program pid
wait_for_main_window main_window
[ "$(xdotool getwindowname "$main_window")" = "$title" ] ||
    fail "the main window is named '$(xdotool getwindowname "$main_window")', not '$title'"
pass "the main window is shown, named '$title'"

measure_main_window
((win_x == 0 && win_y == 0)) || fail "the main window is at $win_x,$win_y, not at the top left"
readonly win_width=$client_width win_height=$((menu + client_height))

# Both drawing areas are the light-yellow runs down the plots' centre column;
# the first starts 24 px plus the 2 px sunken border below the client top.
column_runs_found() {
    mapfile -t column_runs < <(colour_runs "$shot" "1x${win_height}+$((win_x + plot_centre_x))+$win_y" "$yellow")
    ((${#column_runs[@]} == 2))
}
wait_for "the two blank plots are painted" "${win_width}x${win_height}+$win_x+$win_y" column_runs_found
read -r akim_top akim_bottom <<<"${column_runs[0]}"
read -r basinc_top basinc_bottom <<<"${column_runs[1]}"
((akim_top == menu + akim_box[1] + 2)) ||
    fail "the streamline plot's drawing area starts $akim_top px below the window top, not below a $menu px menu bar"
pass "the main window is ${win_width}x${win_height}: a ${client_width}x${client_height} client area below a $menu px menu bar"

# The horizontal extent of a drawing area: the yellow run through the centre
# column on its middle row. Prints the area as a region.
drawing_area() {
    local top=$1 bottom=$2 run first last
    local row=$(((top + bottom) / 2 + win_y))
    while read -r run; do
        read -r first last <<<"$run"
        if ((first <= plot_centre_x && plot_centre_x <= last)); then
            echo "$((last - first + 1))x$((bottom - top + 1))+$((win_x + first))+$((win_y + top))"
            return
        fi
    done < <(colour_runs "$shot" "${win_width}x1+$win_x+$row" "$yellow")
}
akim=$(drawing_area "$akim_top" "$akim_bottom")
basinc=$(drawing_area "$basinc_top" "$basinc_bottom")

# A drawing area lies inside its picture box, which it nearly fills.
check_area_in_box() {
    local name=$1 area=$2 left=$3 top=$4 width=$5 height=$6
    local w h x y
    IFS='x+' read -r w h x y <<<"$area"
    x=$((x - win_x)) y=$((y - win_y - menu))
    ((x >= left && y >= top && x + w <= left + width && y + h <= top + height &&
        w >= width - 8 && h >= height - 8)) ||
        fail "$name draws in ${w}x${h} at client $x,$y: not inside its box ${width}x${height} at $left,$top"
}
check_area_in_box "Picture_Akim" "$akim" "${akim_box[@]}"
check_area_in_box "Picture_basinc" "$basinc" "${basinc_box[@]}"

plain_yellow() {
    local area=$1 w h
    IFS='x+' read -r w h _ <<<"$area"
    (($(count_colour "$shot" "$area" "$yellow") == w * h))
}
plain_yellow "$akim" || fail "the streamline plot is not plain light yellow at start"
plain_yellow "$basinc" || fail "the pressure plot is not plain light yellow at start"
save_screenshot before
pass "both plots are plain light yellow at start (drawing areas $akim and $basinc)"

# --- The keyboard focus shows on the scroll bars and the menu bar ------------

xdotool windowfocus "$main_window" # there is no window manager to do it
moo_region=$(client_region "${moo_bar[@]}")
hbl_region=$(client_region "${hbl_bar[@]}")
menu_region="${win_width}x${menu}+$win_x+$win_y"
focus_regions="$moo_region $hbl_region $menu_region"
unfocused=()
for region in $focus_regions; do unfocused+=("$(region_signature "$shot" "$region")"); done
# Prints, for each of the three regions, whether it looks as it does without
# the keyboard focus ("plain") or not ("focused").
looks() {
    local region i=0 out=''
    for region in $focus_regions; do
        if [ "$(region_signature "$shot" "$region")" = "${unfocused[i]}" ]; then
            out+="plain "
        else
            out+="focused "
        fi
        i=$((i + 1))
    done
    echo "$out"
}
looks_like() { [ "$(looks)" = "$1" ]; }

xdotool key --delay 40 Tab Tab Tab Tab Tab # from the streamline plot to the Moo bar
wait_for "the Moo bar shows the keyboard focus" "$focus_regions" looks_like "focused plain plain "
xdotool key Tab
wait_for "the H/L bar shows the keyboard focus" "$focus_regions" looks_like "plain focused plain "
xdotool key "$f10"
wait_for "F10 highlights the About item" "$focus_regions" looks_like "plain plain focused "
xdotool key Escape
wait_for "Escape gives the focus back to the H/L bar" "$focus_regions" looks_like "plain focused plain "
xdotool key Tab # back to the streamline plot, where the program started
wait_for "no bar shows focus" "$focus_regions" looks_like "plain plain plain "
pass "the focused scroll bar and the About item reached by F10 show the keyboard focus"

# --- HESAPLA draws both plots --------------------------------------------------

plots="$akim $basinc"
count() { count_colour "$shot" "$1" "$2"; }
both_have() {
    local colour=$1
    (($(count "$akim" "$colour") > 0 && $(count "$basinc" "$colour") > 0))
}
no_red() {
    (($(count "$akim" "$red") == 0 && $(count "$basinc" "$red") == 0))
}
only_plot_colours() {
    local area stray
    for area in $plots; do
        stray=$(count_outside_palette "$shot" "$area" "$plot_palette")
        ((stray == 0)) || fail "$stray pixels in the plot at $area are none of the plot colours"
    done
}
both_drawn_on() {
    ! plain_yellow "$akim" && ! plain_yellow "$basinc"
}
# From the streamline plot, where the focus starts, two Tabs reach HESAPLA.
xdotool key --delay 40 Tab Tab Return
wait_for "Tab, Tab and Return press HESAPLA, which draws on both plots" "$plots" both_drawn_on
only_plot_colours
no_red || fail "red shows at Mach 0, where the compressible curves lie exactly under the blue ones"
both_have "$blue" || fail "HESAPLA drew no blue incompressible curve in one of the plots"
both_have "$black" || fail "HESAPLA drew no black wall or axes in one of the plots"
save_screenshot after
pass "Tab, Tab and Return press HESAPLA: blue and black in both plots, and at Mach 0 no red"

# --- The bars: H/L up to 0.2 at Mach 0, then the Mach number up to 0.6 --------

box_before=''
box_changed() {
    [ "$(region_signature "$shot" "$1")" != "$box_before" ]
}

hbl_box=$(client_region "${text_hbl[@]}")
box_before=$(region_signature "$shot" "$hbl_box")
black_at_low_wall=$(count "$akim" "$black")
higher_wall_drawn() {
    box_changed "$hbl_box" && (($(count "$akim" "$black") > black_at_low_wall))
}
click_client "${hbl_right_arrow[@]}" 19
wait_for "the H/L bar writes into Text_HbL and raises the wall" "$plots $hbl_box" higher_wall_drawn
only_plot_colours
no_red || fail "red shows at Mach 0 under a higher wall"
pass "19 clicks on the H/L bar's right arrow write into Text_HbL and draw a higher wall, still without red at Mach 0"

moo_box=$(client_region "${text_moo[@]}")
box_before=$(region_signature "$shot" "$moo_box")
click_client "${moo_right_arrow[@]}"
wait_for "a click on the Mach bar's right arrow changes the text in Text_Moo" "$plots $moo_box" box_changed "$moo_box"
pass "a click on the Mach bar's right arrow writes a new Mach number into Text_Moo"

click_client "${moo_right_arrow[@]}" 59
wait_for "red compressible curves show in both plots" "$plots" both_have "$red"
only_plot_colours
save_screenshot bars
pass "after 60 clicks on the Mach bar's right arrow both plots show red" \
    "($(count "$akim" "$red") pixels in the streamlines, $(count "$basinc" "$red") in the pressure plot)"

# --- A supersonic Mach number is reported and the program goes on ---------------

wait_for "the plots are at rest after the last bar click" "$plots" true
plots_before_error=$(regions_signature "$shot" "$plots")
type_mach_number 1.5
click_client "${hesapla[@]}"
expect_report_closed "Mach number 1.5 and a click on HESAPLA" "$plots" "$plots_before_error" xdotool key Return

recalculated() {
    ! _shows "$plots" "$plots_before_error" && both_have "$blue" && both_have "$black" && both_have "$red"
}
type_mach_number 0.5
click_client "${hesapla[@]}"
wait_for "HESAPLA redraws the plots for Mach number 0.5" "$plots" recalculated
only_plot_colours
save_screenshot recovered
pass "after the error report, Mach number 0.5 and HESAPLA redraw both plots"

# --- The About window -------------------------------------------------------------

click_client 20 $((-menu / 2))
expect_about about_area "the menu item 'About'"
IFS='x+' read -r width height x y <<<"$about_area"
about_corners_painted() {
    local corner
    for corner in "1x1+$x+$y" "1x1+$((x + width - 1))+$y" "1x1+$x+$((y + height - 1))" \
        "1x1+$((x + width - 1))+$((y + height - 1))"; do
        (($(count_colour "$shot" "$corner" "$yellow") == 1)) || return 1
    done
}
wait_for "the About window's corners are light yellow" "$about_area" about_corners_painted
pass "the About window is light yellow to its corners"

close_dialog "About window" xdotool key Escape
pass "Escape closes the About window; the program runs on with its main window"

echo "all $checks checks passed; screenshots in $out_dir: real_window_{before,after,bars,error,recovered,about}.png"
