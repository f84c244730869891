# shellcheck shell=bash
# The real program's main window as the screenshot tests see it: its title,
# colours and layout (client-area pixels), and the steps that the X11 and the
# Wayland tests share. Sourced after window_test.sh.
#
#   measure_main_window           # sets win_x, win_y and menu; the size checked
#   expect_error_report WHAT      # WHAT brings up the error report: named as the main
#                                 # window, with its red critical icon; screenshot "error"
#   expect_report_closed WHAT PLOTS BEFORE COMMAND...  # the report, closed by COMMAND: the
#                                 # plots (regions) show again BEFORE, their regions_signature
#   expect_about VAR OPENING      # the About window OPENING opened; its region in VAR
#   close_dialog WHAT COMMAND...  # COMMAND (keys) closes it, the main window stays alone
#   type_mach_number TEXT         # typed over the Moo box's text (X11)

readonly title='Dalga yüzlü duvar üzerinde küçük bozuntulu sesaltı akım'
readonly yellow='255 255 192' black='0 0 0' blue='0 0 255' red='255 0 0' grid='220 220 220'
readonly client_width=447 client_height=410
readonly akim_box=(136 24 283 167) basinc_box=(136 208 283 169)
readonly about_size=240x136 text_moo_inside=(36 57) hesapla=(64 144)

measure_main_window() {
    local width height
    read -r win_x win_y width height < <(window_geometry "$_main_window")
    menu=$((height - client_height))
    ((width == client_width && menu > 0 && menu < 60)) ||
        fail "the main window is ${width}x${height}: not a ${client_width}x${client_height} client area below a menu bar"
}

_red_icon_in() { (($(count_tinted "$shot" "$1" red) >= 20)); }

expect_error_report() {
    local _report report_title area
    wait_for_new_window _report "error report for Mach number 1.5"
    report_title=$(window_title "$_report")
    [ "$report_title" = "$title" ] || fail "the error report is named '$report_title', not '$title'"
    area=$(window_region "$_report")
    wait_for "the error report shows its red critical icon" "$area" _red_icon_in "$area"
    save_screenshot error
    pass "$1 bring up an error report ${area%%+*} named '$title' with a red icon"
}

_shows() { [ "$(regions_signature "$shot" "$1")" = "$2" ]; }
expect_report_closed() {
    local what=$1 plots=$2 before=$3
    shift 3
    expect_error_report "$what"
    close_dialog "error report" "$@"
    wait_for "both plots show what they showed before the failed calculation" "$plots" _shows "$plots" "$before"
    pass "Return closes the error report; the main window stays, its plots untouched"
}

_about_painted() {
    local w h
    IFS='x+' read -r w h _ <<<"$1"
    (($(count_colour "$shot" "$1" "$yellow") * 100 >= 60 * w * h)) &&
        (($(count_tinted "$shot" "$1" green) > 0 && $(count_tinted "$shot" "$1" blue) > 0))
}
expect_about() {
    local -n _about_area=$1
    local _about _about_title
    wait_for_new_window _about "window from the menu item 'About'"
    _about_title=$(window_title "$_about")
    [ "$_about_title" = About ] || fail "the About window is named '$_about_title'"
    _about_area=$(window_region "$_about")
    [ "${_about_area%%+*}" = "$about_size" ] || fail "the About window is ${_about_area%%+*}, not $about_size"
    wait_for "the About window is painted light yellow with green and blue lines" "$_about_area" \
        _about_painted "$_about_area"
    save_screenshot about
    pass "$2 opens a $about_size window named 'About', light yellow with green and blue lines"
}

close_dialog() {
    local what=$1
    shift
    "$@"
    wait_until_closed "${*: -1} did not close the $what"
    program_running || fail "the program ended when the $what was closed"
    [ "$(visible_windows)" = "$_main_window" ] || fail "the main window is gone after the $what"
}

type_mach_number() {
    click_client "${text_moo_inside[@]}"
    xdotool key --clearmodifiers ctrl+a type --delay 40 "$1"
}
