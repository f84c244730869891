# shellcheck shell=bash
# The real program's main window as the screenshot tests see it: its title,
# colours and layout (client-area pixels), and the error report's checks that
# the X11 and the Wayland tests share. Sourced after window_test.sh.
#
#   expect_error_report WHAT      # WHAT brings up the error report: named as the main
#                                 # window, with its red critical icon; screenshot "error"
#   expect_about_painted AREA     # the About window: light yellow, green and blue lines
#   close_dialog WHAT COMMAND...  # COMMAND (keys) closes it, the main window stays alone
#   type_mach_number TEXT         # typed over the Moo box's text (X11)

readonly title='Dalga yüzlü duvar üzerinde küçük bozuntulu sesaltı akım'
readonly yellow='255 255 192' black='0 0 0' blue='0 0 255' red='255 0 0' grid='220 220 220'
readonly client_width=447 client_height=410
readonly akim_box=(136 24 283 167) basinc_box=(136 208 283 169)
readonly about_size=240x136 text_moo_inside=(36 57) hesapla=(64 144)

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

_about_painted() {
    local w h
    IFS='x+' read -r w h _ <<<"$1"
    (($(count_colour "$shot" "$1" "$yellow") * 100 >= 60 * w * h)) &&
        (($(count_tinted "$shot" "$1" green) > 0 && $(count_tinted "$shot" "$1" blue) > 0))
}
expect_about_painted() {
    wait_for "the About window is painted light yellow with green and blue lines" "$1" _about_painted "$1"
    save_screenshot about
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
