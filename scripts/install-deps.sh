#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing wavywall need,
# and only those that are missing. Safe to run again; does nothing when all are there.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6
  # tests, benchmarks and the fuzz target
  libbenchmark-dev qt6-base-private-dev clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core
  # desktop integration and packaging
  desktop-file-utils appstream dpkg-dev file librsvg2-bin
  # the screen-reader test: Orca on a private D-Bus session and AT-SPI bus
  orca at-spi2-core dbus-daemon dbus-bin procps python3-pyatspi
  # the accessibility attack: a D-Bus client in Python with GLib's Gio
  python3-gi gir1.2-glib-2.0
  # Debian package checks, the manual page, the toolkit's own translations and
  # the sources of a Turkish locale for the test that uses it
  lintian groff-base man-db qt6-translations-l10n locales
  # reading the toolkit's texts off the screen in the real-window check
  tesseract-ocr tesseract-ocr-tur
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
