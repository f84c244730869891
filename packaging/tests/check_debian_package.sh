#!/usr/bin/env bash
# Makes the Debian package with CPack and checks its name, control fields,
# dependencies and contents, unpacked.
# usage: check_debian_package.sh <cpack> <CPackConfig.cmake> <scratch dir> <expected list> <version>
set -euo pipefail
cpack=$1 config=$2 scratch=$3 expected=$4 version=$5
here=$(dirname "$0")
fail() {
    echo "FAIL: $*"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
if ! "$cpack" --config "$config" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack did not make the package"
fi

arch=$(dpkg --print-architecture)
deb=$scratch/wavywall_${version}_${arch}.deb
debs=("$scratch"/*.deb)
[ "${debs[*]}" = "$deb" ] || fail "expected the one package $deb, found: ${debs[*]}"

field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    local value
    value=$(field "$1")
    [ "$value" = "$2" ] || fail "$1 is '$value', expected '$2'"
}
expect_field Package wavywall
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Maintainer "the wavywall authors <wavywall@example.org>"
expect_field Section education
expect_field Recommends qt6-translations-l10n
description=$(field Description)
[[ $description == "linearized subsonic flow over a wavy wall"$'\n'" A small teaching program"* ]] ||
    fail "unexpected description: $description"

depends=$(field Depends)
echo "Depends: $depends"
depended_on=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
dpkg-deb -x "$deb" "$scratch/root"
# The packages that hold, on this system, the libraries the program loads and
# Qt's SVG image plugin: their names differ between releases (libqt6core6 on
# Debian 12, libqt6core6t64 on 13; the plugin in libqt6svg6 or
# qt6-svg-plugins).
# dpkg knows a library by the path its package ships, which on a merged /usr
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
for library in libc.so.6 libstdc++.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6; do
    path=$(awk -v name="$library" '$1 == name { print $3 }' <<<"$libraries")
    [ -n "$path" ] || fail "the program does not load $library"
    needed+=("$(owner "$path")")
done
# The build names the plugin's package by asking dpkg-query; here the package
# database's own file lists are read instead, one list for each package.
plugin_owners=$({ grep -lE '/qt6/plugins/imageformats/libqsvg\.so$' /var/lib/dpkg/info/*.list || true; } |
    xargs -r -n 1 basename | sed 's/\.list$//; s/:.*//' | sort -u)
[ "$(wc -w <<<"$plugin_owners")" = 1 ] ||
    fail "expected one package listing Qt's SVG image plugin, found: ${plugin_owners:-none}"
needed+=("$plugin_owners" fonts-dejavu-core)
for package in "${needed[@]}"; do
    grep -Fxq "$package" <<<"$depended_on" || fail "Depends lacks $package"
done

dpkg-deb -c "$deb" >"$scratch/contents.txt"
grep -Eq '^-rwxr-xr-x .* \./usr/bin/wavywall$' "$scratch/contents.txt" ||
    fail "the package has no executable usr/bin/wavywall"
awk '$NF !~ /\/$/ { sub(/^\.\/usr\//, "", $NF); print $NF }' "$scratch/contents.txt" >"$scratch/listed.txt"
bash "$here/check_installed_files.sh" "$scratch/listed.txt" "$expected" "$scratch/root/usr"
