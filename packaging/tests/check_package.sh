#!/usr/bin/env bash
# Checks the packages that dpkg-buildpackage made from this source: lintian
# on the .changes (source and binary package) finds no error or warning; the
# binary package has its control fields, the dependencies that
# dpkg-shlibdeps cannot see, exactly the expected files, a manual page that
# renders, a desktop entry and metainfo that validate, and one release
# history. Prints lintian's whole report.
# usage: check_package.sh <the .changes file> <source tree>
set -euo pipefail
changes=$(realpath "$1")
source_tree=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=appstream_findings.sh
source "$here/appstream_findings.sh"
fail() {
    echo "FAIL: $*"
    exit 1
}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# --- lintian: --pedantic and --display-info show every tag; E: and W: fail ----

status=0
lintian --pedantic --display-info --show-overrides "$changes" >"$scratch/lintian.txt" 2>"$scratch/lintian.err" ||
    status=$?
echo "lintian ${changes##*/}:"
cat "$scratch/lintian.txt"
grep -v '^running with root privileges' "$scratch/lintian.err" >&2 || true
grep -Eq '^[EW]: ' "$scratch/lintian.txt" && fail "lintian reports errors or warnings"
# Beyond its tags, lintian fails on its own trouble (an unreadable package).
((status == 0)) || fail "lintian exited with status $status"
echo "ok - lintian: no errors or warnings"

# --- The binary package's control fields ---------------------------------------

arch=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -l "$source_tree/debian/changelog" -S Version)
deb=$(dirname "$changes")/wavywall_${version}_${arch}.deb
[ -f "$deb" ] || fail "no binary package $deb"
field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    local value
    value=$(field "$1")
    [ "$value" = "$2" ] || fail "$1 is '$value', expected '$2'"
}
expect_field Package wavywall
expect_field Architecture "$arch"
expect_field Maintainer "the wavywall authors <wavywall@example.org>"
expect_field Section education
expect_field Recommends qt6-translations-l10n
[[ $(field Description) == "linearized subsonic flow over a wavy wall"$'\n'" A small teaching program"* ]] ||
    fail "unexpected description: $(field Description)"

# The packages that hold, on this system, the libraries the program loads
# and Qt's SVG image plugin, which it loads to draw its icon: their names
# differ between releases (libqt6core6 on Debian 12, libqt6core6t64 on 13;
# the plugin in libqt6svg6 on 12, qt6-svg-plugins from 13 on).
depends=$(field Depends)
echo "Depends: $depends"
depended_on=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
dpkg-deb -x "$deb" "$scratch/root"
# dpkg knows a file by the path its package ships, which on a merged /usr
# may be the /lib or the /usr/lib spelling, through any symbolic link.
owner() {
    local path
    for path in "$1" "$(realpath "$1")" "${1#/usr}" "/usr${1#/usr}"; do
        dpkg-query --search "$path" 2>/dev/null | head -n 1 | sed 's/[:,].*//' | grep . && return
    done
    echo "FAIL: no package holds $1" >&2
    return 1
}
libraries=$(ldd "$scratch/root/usr/bin/wavywall")
needed=()
for library in libc.so.6 libstdc++.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6 libQt6DBus.so.6; do
    path=$(awk -v name="$library" '$1 == name { print $3 }' <<<"$libraries")
    [ -n "$path" ] || fail "the program does not load $library"
    needed+=("$(owner "$path")")
done
# The package database's own file lists, read apart from the build's query.
plugin_owners=$({ grep -lE '/qt6/plugins/imageformats/libqsvg\.so$' /var/lib/dpkg/info/*.list || true; } |
    xargs -r -n 1 basename | sed 's/\.list$//; s/:.*//' | sort -u)
[ "$(wc -w <<<"$plugin_owners")" = 1 ] ||
    fail "expected one package listing Qt's SVG image plugin, found: ${plugin_owners:-none}"
needed+=("$plugin_owners" fonts-dejavu-core)
for package in "${needed[@]}"; do
    grep -Fxq "$package" <<<"$depended_on" || fail "Depends lacks $package"
done
echo "ok - the control fields, and Depends names ${needed[*]}"

# --- The files ---------------------------------------------------------------------

dpkg-deb -c "$deb" >"$scratch/contents.txt"
grep -Eq '^-rwxr-xr-x root/root .* \./usr/bin/wavywall$' "$scratch/contents.txt" ||
    fail "the package has no executable usr/bin/wavywall owned by root"
awk '$NF !~ /\/$/ { sub(/^\.\//, "", $NF); print $NF }' "$scratch/contents.txt" >"$scratch/listed.txt"
{
    sed -e 's|^|usr/|' -e 's|/man1/wavywall\.1$|/man1/wavywall.1.gz|' "$here/installed_files.txt"
    printf '%s\n' usr/share/doc/wavywall/changelog.gz usr/share/doc/wavywall/copyright
} >"$scratch/expected.txt"
bash "$here/check_installed_files.sh" "$scratch/listed.txt" "$scratch/expected.txt" "$scratch/root"
cmp -s "$scratch/root/usr/share/doc/wavywall/copyright" "$source_tree/debian/copyright" ||
    fail "the package's copyright file is not debian/copyright"

bash "$here/check_manual_page.sh" "$scratch/root/usr/share/man/man1/wavywall.1.gz" "$version" "$scratch/listed.txt"

desktop-file-validate "$scratch/root/usr/share/applications/wavywall.desktop" >"$scratch/desktop.log" 2>&1 || true
if grep -E 'error:|warning:' "$scratch/desktop.log"; then
    fail "the packaged desktop entry does not validate"
fi
bash "$here/check_metainfo.sh" "$scratch/root/usr/share/metainfo/io.github.wavywall.wavywall.metainfo.xml"
# The metainfo finds the desktop entry it launches, and the icon.
if ! appstreamcli validate-tree --no-net "$scratch/root" >"$scratch/validate-tree.log" 2>&1 ||
    [ -n "$(appstream_findings "$scratch/validate-tree.log")" ]; then
    cat "$scratch/validate-tree.log"
    fail "the packaged metainfo does not find its desktop entry"
fi
echo "ok - the desktop entry and the metainfo validate"

bash "$here/check_release_history.sh" "$source_tree/debian/changelog" "$deb" "$scratch/root"
echo "the packages of wavywall $version pass"
