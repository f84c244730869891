# shellcheck shell=bash
# The real program's main window as the screenshot tests see it: its title,
# colours and layout (client-area pixels), and the error report's checks that
# the X11 and the Wayland tests share. Sourced after window_test.sh.
#
#   expect_error_report WHAT      # WHAT brings up the error report: named as the main
#                                 # window, with its red critical icon; screenshot "error"
#   close_error_report COMMAND... # COMMAND (keys) closes it, the main window stays alone

readonly title='Dalga yüzlü duvar üzerinde küçük bozuntulu sesaltı akım'
readonly yellow='255 255 192' black='0 0 0' blue='0 0 255' red='255 0 0' grid='220 220 220'
readonly client_width=447 client_height=410
readonly akim_box=(136 24 283 167) basinc_box=(136 208 283 169)
readonly about_size=240x136

_red_icon_in() { (($(count_tinted "$shot" "$1" red) >= 20)); }

expect_error_report() {
    local report report_title area
    wait_for_new_window report "error report for Mach number 1.5"
    report_title=$(window_title "$report")
    [ "$report_title" = "$title" ] || fail "the error report is named '$report_title', not '$title'"
    area=$(window_region "$report")
    wait_for "the error report shows its red critical icon" "$area" _red_icon_in "$area"
    save_screenshot error
    pass "$1 bring up an error report ${area%%+*} named '$title' with a red icon"
}

close_error_report() {
    "$@"
    wait_until_closed "the Return key did not close the error report"
    program_running || fail "the program ended when the error report was closed"
    [ "$(visible_windows)" = "$_main_window" ] || fail "the main window is gone after the error report"
}
