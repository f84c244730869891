#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing wavywall need,
# and only those that are missing. Safe to run again; does nothing when all are there.
# Works on Debian 12 and 13 alike: where the releases name a package
# differently, the list gives the choices as "new|old" and the first one that
# apt offers is taken.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config
  # the format check of the tracked sources
  clang-format git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # Qt's SVG image and icon plugins: their own package from Debian 13 on
  'qt6-svg-plugins|libqt6svg6'
  # tests, benchmarks and the fuzz target
  libbenchmark-dev qt6-base-private-dev clang libclang-rt-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core
  # desktop integration and packaging
  desktop-file-utils appstream dpkg-dev file librsvg2-bin
  # the screen-reader test: Orca on a private D-Bus session and AT-SPI bus
  orca at-spi2-core dbus-daemon dbus-bin procps python3-pyatspi
  # the accessibility attack: a D-Bus client in Python with GLib's Gio
  python3-gi gir1.2-glib-2.0
  # closing a window as a window manager does, for a program's normal end
  python3-xlib
  # Debian package checks, the manual page, the toolkit's own translations and
  # the sources of a Turkish locale for the test that uses it
  lintian groff-base man-db qt6-translations-l10n locales
  # reading the toolkit's texts off the screen in the real-window check
  tesseract-ocr tesseract-ocr-tur
  # a dark desktop in the real-window check: Qt's GTK platform theme; Adwaita,
  # dark variant included, is built into GTK 3 itself
  qt6-gtk-platformtheme
  # the real-window check on a native Wayland compositor: sway's headless
  # backend, Qt's Wayland platform, grim's screenshots, wtype's keys, Python
  # to read sway's window tree, and util-linux's setpriv to run them all as an
  # unprivileged user when root
  sway qt6-wayland grim wtype python3 util-linux
  # the same suite on another Debian release (scripts/test-on-debian.sh)
  debootstrap
)

export DEBIAN_FRONTEND=noninteractive
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Both read a command's whole output before matching it: grep -q would stop
# reading at its match, and the writer's broken pipe fail the test.
installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = 'install ok installed' ]
}

# Whether apt can install NAME: a real package with a candidate version.
offered() {
    [[ $(apt-cache policy "$1" 2>/dev/null) =~ $'\n'\ \ Candidate:\ [^\(] ]]
}

# The package lists are read once, and only when something is missing.
lists_updated=''
update_lists() {
    [ -n "$lists_updated" ] && return
    "${sudo_cmd[@]}" apt-get update -qq
    lists_updated=yes
}

# Prints the name to install for a "new|old" choice: the first that apt
# offers, or nothing when that one is installed already.
choose() {
    local name choices
    IFS='|' read -ra choices <<<"$1"
    for name in "${choices[@]}"; do
        installed "$name" && return
        if offered "$name"; then
            echo "$name"
            return
        fi
    done
    echo "install-deps: apt offers none of ${choices[*]}" >&2
    return 1
}

missing=()
for p in "${packages[@]}"; do
    if [[ $p == *'|'* ]]; then
        installed_or_none=$(choose "$p" 2>/dev/null) || {
            update_lists
            installed_or_none=$(choose "$p")
        }
        [ -z "$installed_or_none" ] || missing+=("$installed_or_none")
    elif ! installed "$p"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
update_lists
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
