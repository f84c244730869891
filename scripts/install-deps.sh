#!/usr/bin/env bash
# Installs, with apt, the Debian packages that wavywall needs, and only those
# that are missing; does nothing when all are there. Works as root or with
# sudo, on Debian 12, 13 and testing alike: apt picks, from each field's
# alternatives, what the release offers.
#
# usage: scripts/install-deps.sh [run|test]
#   run   what building and running the program need: debian/control's
#         Build-Depends without the build-time tests (the nocheck profile),
#         and the binary package's Depends and Recommends
#   test  (default) all of that, the build-time tests' tools, what the
#         installed package's tests need (debian/tests/control), and the tools
#         that only the wider suite uses, listed below
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-test}
case $what in
run | test) ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

# The tools that only the project's own suite uses, beyond those of
# debian/control and debian/tests/control, in apt's dependency syntax.
readonly suite_tools=(
    # the format check of the tracked sources
    clang-format git
    # benchmarks, and the fuzz target built with clang
    libbenchmark-dev clang libclang-rt-dev
    # the package built, checked, compared and tested as Debian does
    dpkg-dev lintian autopkgtest diffoscope-minimal file
    desktop-file-utils appstream groff-base man-db
    # the screen-reader test: Orca on a private D-Bus session and AT-SPI bus
    orca at-spi2-core dbus-daemon dbus-bin procps python3-pyatspi
    # accessibility clients in Python with GLib's Gio, and a window closed
    # as a window manager closes it
    python3-gi gir1.2-glib-2.0 python3-xlib
    # reading the toolkit's texts off the screen
    tesseract-ocr tesseract-ocr-tur
    # a dark desktop: Qt's GTK platform theme (GTK 3 has Adwaita dark)
    qt6-gtk-platformtheme
    # a native Wayland compositor: sway's headless backend, Qt's Wayland
    # platform, grim's screenshots, wtype's keys, Python to read sway's tree,
    # setpriv to run them as an unprivileged user when root
    sway qt6-wayland grim wtype python3 util-linux
    # the same suite on another Debian release (scripts/test-on-debian.sh)
    debootstrap
)
# A locale with a decimal comma, for the number conversions and for the
# second of the package's two builds.
readonly test_locale=tr_TR.UTF-8

export DEBIAN_FRONTEND=noninteractive
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# A field of a stanza of a Debian control file, on one line, without the
# substitution variables (${shlibs:Depends}) that the build fills in, and
# without the package itself (autopkgtest's "@", "wavywall").
control_field() {
    local file=$1 stanza=$2 name=$3
    awk -v stanza="$stanza" -v name="$name" '
        /^$/ { here = 0 }
        $0 ~ "^" stanza { here = 1 }
        here && tolower($0) ~ "^" tolower(name) ":" { field = 1; sub(/^[^:]*:/, ""); print; next }
        field && /^[ \t]/ { print; next }
        { field = 0 }' "$file" |
        grep -v '^ *#' | tr '\n' ' ' | tr ',' '\n' |
        sed -e 's/^ *//' -e 's/ *$//' | grep -Ev '^(\$\{.*\}|@|wavywall)?$' | paste -sd, -
}

build_dep=(build-dep ./)
[ "$what" = test ] || build_dep=(build-dep -P nocheck ./)
runtime=$(control_field debian/control 'Package: wavywall' Depends),$(control_field debian/control 'Package: wavywall' Recommends)
satisfy=("$runtime")
if [ "$what" = test ]; then
    satisfy+=("$(control_field debian/tests/control 'Tests:' Depends)")
    satisfy+=("$(printf '%s, ' "${suite_tools[@]}" | sed 's/, $//')")
fi

# Whether apt would install anything, asked without installing: also so
# when apt cannot tell, for example before its package lists are read.
# (The output is read whole before it is matched: grep -q would stop
# reading at its match, and apt fail on the broken pipe.)
anything_missing() {
    local out
    out=$(apt-get -s "${build_dep[@]}" 2>&1) || return 0
    [[ $out == *$'\n'Inst\ * ]] && return 0
    out=$(apt-get -s satisfy "${satisfy[@]}" 2>&1) || return 0
    [[ $out == *$'\n'Inst\ * ]]
}

if anything_missing; then
    echo "install-deps: installing what $what needs"
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get "${build_dep[@]}" -y -qq --no-install-recommends
    "${sudo_cmd[@]}" apt-get satisfy -y -qq --no-install-recommends "${satisfy[@]}"
fi

if [ "$what" = test ] && [[ $'\n'$(locale -a 2>/dev/null)$'\n' != *$'\n'${test_locale/UTF-8/utf8}$'\n'* ]]; then
    echo "install-deps: making the locale $test_locale"
    "${sudo_cmd[@]}" localedef -i "${test_locale%%.*}" -c -f UTF-8 "$test_locale"
fi
