#!/usr/bin/env bash
# The toolkit's own texts in the real program on its own X server, in a Turkish
# and then in the C locale: the Mach bar's context menu (a right click) and
# the error report for a supersonic Mach number, read off screenshots with
# tesseract. Turkish items and button in the Turkish locale, English ones in
# the C locale, the program's own report text the same in both. The Turkish
# words are those of Qt's installed catalogue (the toolkit_catalogue tool):
# Qt 6.4 and 6.8 word the same menu differently.
set -euo pipefail

readonly usage="usage: ${0##*/} <wavywall executable> <directory for screenshots> <toolkit_catalogue>"
readonly program=${1:?$usage} out_dir=${2:?$usage} catalogue=${3:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../support/window_test.sh
source "$here/../support/window_test.sh"
# shellcheck source=../support/main_window.sh
source "$here/../support/main_window.sh"

readonly moo_bar=(80 56) # in the main window's client area, pixels
readonly wait_limit=20 # seconds for any one thing to show on the screen
readonly report='Run-time error 5: invalid procedure call or argument'

begin_window_test toolkit_texts "$out_dir" "$wait_limit"

require_tools Xvfb xdotool import convert tesseract localedef
languages=$(tesseract --list-langs 2>/dev/null || true)
for language in tur eng; do
    grep -qx "$language" <<<"$languages" ||
        fail "tesseract cannot read '$language': run scripts/install-deps.sh"
done
[ -x "$program" ] || fail "no program at $program: build the wavywall target first"

# The Turkish locale as a Turkish desktop has it, made here from the sources
# of Debian's locales package, so that the machine's own locales stay as
# they are.
mkdir "$tmp/locale"
localedef -i tr_TR -f UTF-8 "$tmp/locale/tr_TR.UTF-8" >"$tmp/localedef.log" 2>&1 ||
    fail "could not make the locale tr_TR.UTF-8: $(cat "$tmp/localedef.log")"

start_display

# Waits until a region looks the same on two screenshots in a row.
wait_until_still() {
    wait_for "$1" "$2" true
}

# The lines of text tesseract reads in a region of the last screenshot;
# blank lines dropped. The texts are grey, so coloured pixels (the icons of
# the error report and of its button, which tesseract takes for letters)
# turn white first; then the region is magnified four times and made black
# on white.
read_text() {
    local region=$1 languages=$2
    convert "$shot" -crop "$region" +repage \
        \( +clone -colorspace HSL -channel G -separate +channel -threshold 25% \) \
        -compose lighten -composite -colorspace Gray -resize 400% -threshold 50% "$tmp/text.png"
    tesseract "$tmp/text.png" stdout -l "$languages" --psm 6 2>/dev/null | sed '/^[[:space:]]*$/d'
}

# check_locale <name> <LANG> <LOCPATH or ''> <OK button> <menu items...>
check_locale() {
    local name=$1 lang=$2 locpath=$3 ok=$4
    shift 4
    local items=("$@") pid main_window main_region width height popup region report_window read_items read_report
    start_program pid "$lang" "$locpath"
    wait_for_main_window main_window
    main_region=$(window_region "$main_window")
    IFS='x+' read -r width height _ _ <<<"$main_region"
    menu=$((height - client_height))
    ((menu > 0 && menu < 60)) || fail "the main window is ${width}x${height}, no menu bar above its client area"
    wait_until_still "the main window is painted" "$main_region"

    # The scroll bar's context menu.
    click_client "${moo_bar[@]}" 1 3 # the right button
    wait_for_new_window popup "context menu of the Mach number's scroll bar"
    region=$(window_region "$popup")
    wait_until_still "the context menu is painted" "$region"
    save_screenshot "${name}_menu"
    read_items=$(read_text "$region" tur+eng)
    local expected_items
    expected_items=$(printf '%s\n' "${items[@]}")
    [ "$read_items" = "$expected_items" ] ||
        fail "LANG=$lang: the scroll bar's context menu reads"$'\n'"$read_items"$'\n'"and not"$'\n'"$expected_items"
    pass "LANG=$lang: the scroll bar's context menu reads: $(paste -sd '|' <<<"$read_items")"
    close_dialog "context menu" xdotool key Escape

    # The error report for a supersonic Mach number.
    type_mach_number 1.5
    click_client "${hesapla[@]}"
    wait_for_new_window report_window "error report for Mach number 1.5"
    region=$(window_region "$report_window")
    wait_until_still "the error report is painted" "$region"
    save_screenshot "${name}_error"
    read_report=$(read_text "$region" tur+eng)
    # The button's frame may read as stray signs beside its text.
    grep -Fq "$report" <<<"$read_report" ||
        fail "LANG=$lang: the error report does not read '$report' but"$'\n'"$read_report"
    grep -Fwq "$ok" <<<"$(grep -Fv "$report" <<<"$read_report")" ||
        fail "LANG=$lang: the error report has no button '$ok':"$'\n'"$read_report"
    pass "LANG=$lang: the error report reads '$report' above a button '$ok'"
    close_dialog "error report" xdotool key Return
    stop_program
    # Qt falls back to another locale, and says so, where the system lacks this one.
    if grep -q 'which is not UTF-8' "$tmp/program.log"; then
        fail "LANG=$lang: the program did not run in its locale: $(cat "$tmp/program.log")"
    fi
}

# A horizontal bar's menu, in Qt's own (English) words.
menu_items=('Scroll here' 'Left edge' 'Right edge' 'Page left' 'Page right' 'Scroll left' 'Scroll right')
turkish_items=() turkish_ok=''
turkish_text=$("$catalogue" tr_TR QScrollBar "${menu_items[@]}") ||
    fail "Qt's Turkish catalogue could not be read, or lacks a text of the menu: run scripts/install-deps.sh"
mapfile -t turkish_items <<<"$turkish_text"
turkish_ok=$("$catalogue" tr_TR QPlatformTheme OK) ||
    fail "Qt's Turkish catalogue lacks the button's text"
[ "${turkish_items[0]}" != "${menu_items[0]}" ] && [ "$turkish_ok" != OK ] ||
    fail "Qt's Turkish catalogue does not translate the menu and the button"

check_locale tr tr_TR.UTF-8 "$tmp/locale" "$turkish_ok" "${turkish_items[@]}"
check_locale c C.UTF-8 '' OK "${menu_items[@]}"

echo "all $checks checks passed; screenshots in $out_dir: toolkit_texts_{tr,c}_{menu,error}.png"
