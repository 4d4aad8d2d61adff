#!/usr/bin/env bash
# Install into a temporary prefix and use it as a user would: the files, a run through the
# launcher, a reinstall and an uninstall that keep the user's settings, the desktop entry, the
# file type, and the Debian package. Argument: the build folder.
set -euo pipefail
build="$(cd "$1" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
install() { VARNOTEK_BUILD_DIR="$build" bash "$root/tools/dev.sh" install "$prefix" >/dev/null; }
uninstall() { VARNOTEK_BUILD_DIR="$build" bash "$root/tools/dev.sh" uninstall "$prefix"; }
install

expected="bin/varnotek
opt/varnotek/Kelpo.so
opt/varnotek/sample.nc
opt/varnotek/style-dump
opt/varnotek/talvane-sim
opt/varnotek/varnotek
share/applications/mimeinfo.cache
share/applications/varnotek.desktop
share/man/man1/varnotek.1.gz
share/metainfo/com.varnotek.varnotek.metainfo.xml
share/mime/packages/varnotek.xml
share/varnotek/installed-files"
actual="$(cd "$prefix" && find bin opt share/applications share/man share/metainfo share/mime/packages share/varnotek \
    \( -type f -o -type l \) | sort)"
[ "$actual" = "$expected" ] || fail "installed files differ: $actual"
[ "$(find "$prefix/share/icons" -name 'varnotek.*' | wc -l)" -eq 8 ] || fail "icons missing"

# Through the launcher link the program folder is the real one: Kelpo.so loads and styles.
dump="$(QT_QPA_PLATFORM=offscreen "$prefix/opt/varnotek/style-dump" "$prefix/opt/varnotek/sample.nc")"
[ -n "$dump" ] || fail "style-dump printed nothing"
printf 'N10 M3\r\n' >"$work/my part.nc"
QT_QPA_PLATFORM=offscreen timeout 10 "$prefix/bin/varnotek" "$work/my part.nc" &
editor=$!
sleep 3
kill -0 "$editor" 2>/dev/null || fail "the editor did not stay up when started through the launcher"
kill "$editor"

# A reinstall keeps the user's style set; an uninstall removes only what the install wrote.
printf 'STYLE=ON\r\nM4#255\r\n' >"$prefix/opt/varnotek/StyleSet.sty"
printf '1\r\n2' >"$prefix/opt/varnotek/edset.ini"
install
[ "$(cat "$prefix/opt/varnotek/StyleSet.sty")" = $'STYLE=ON\r\nM4#255\r' ] || fail "reinstall changed StyleSet.sty"
uninstall
[ -f "$prefix/opt/varnotek/StyleSet.sty" ] && [ -f "$prefix/opt/varnotek/edset.ini" ] || fail "uninstall removed settings"
[ ! -e "$prefix/opt/varnotek/varnotek" ] && [ ! -L "$prefix/bin/varnotek" ] || fail "uninstall left the program"

# The desktop entry is valid, and the file type claims part programs whatever their case.
install
desktop-file-validate "$prefix/share/applications/varnotek.desktop" || fail "desktop entry invalid"
grep -qx "Exec=$prefix/bin/varnotek %f" "$prefix/share/applications/varnotek.desktop" || fail "Exec line"
# A desktop of the user's own (as gio asks, in a HOME of the test's) offers the editor first for
# the shared G-code type, and the content decides an extension another type shares: a NetCDF
# header stays NetCDF, a ROM image stays a ROM image, text is a part program whatever its case.
desktop() { env -i PATH="$PATH" HOME="$work/home" XDG_DATA_HOME="$prefix/share" XDG_DATA_DIRS=/usr/share "$@"; }
handlers="$(desktop gio mime text/x.gcode)"
grep -q '^Default application .*: varnotek.desktop$' <<<"$handlers" || fail "the editor is not the default for G-code: $handlers"
printf 'CDF\x01\0\0\0\0\0\0\0\x0a\0\0\0\x01\0\0\0\x04time\0\0\0\x01' >"$work/ocean.nc"
{ printf 'COPYRIGHT BY SNK CORPORATION\0\0\0\0\0\0\0\x10'; head -c 256 /dev/zero; } >"$work/game.ngc"
for file in part.nc PART.NGC part.tap notes.txt; do printf 'N10 G01 X1\r\n' >"$work/$file"; done
while read -r file type; do
    actual="$(desktop gio info -a standard::content-type "$work/$file" | sed -n 's/^ *standard::content-type: //p')"
    [ "$actual" = "$type" ] || fail "$file is $actual, not $type"
done <<'TYPES'
ocean.nc application/x-netcdf
game.ngc application/x-neo-geo-pocket-color-rom
part.nc text/x.gcode
PART.NGC text/x.gcode
part.tap text/x.gcode
notes.txt text/plain
TYPES

# The Debian packages: the editor with its documents and the dependencies its binaries need,
# hardened, and the shop tools apart in varnotek-tools.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(echo "$work"/package/varnotek_*.deb)"
listing="$(dpkg-deb -c "$deb" | awk '{$1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print}')"
for path in ./opt/varnotek/varnotek ./opt/varnotek/Kelpo.so ./usr/share/applications/varnotek.desktop \
    ./usr/share/mime/packages/varnotek.xml ./usr/share/doc/varnotek/copyright \
    ./usr/share/doc/varnotek/changelog.Debian.gz ./usr/share/man/man1/varnotek.1.gz \
    ./usr/share/metainfo/com.varnotek.varnotek.metainfo.xml "./usr/bin/varnotek -> /opt/varnotek/varnotek"; do
    grep -qx "$path" <<<"$listing" || fail "package lacks $path"
done
grep -q talvane-sim <<<"$listing" && fail "the editor's package holds talvane-sim"
tools="$(dpkg-deb -c "$work"/package/varnotek-tools_*.deb)"
grep -q ' ./opt/varnotek/talvane-sim$' <<<"$tools" || fail "no tools package"
dpkg-deb -f "$deb" Depends | grep -q 'libqscintilla2-qt6-15 (>=' || fail "dependencies not from the binaries"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 3 ] || fail "no extended description"
dpkg-deb -x "$deb" "$work/unpacked"
program="$work/unpacked/opt/varnotek/varnotek"
elf="$(readelf -d -lW --dyn-syms "$program" "$work/unpacked/opt/varnotek/Kelpo.so")"
# Release builds are hardened; the sanitizer and debug builds are not.
if [ "${VARNOTEK_HARDENED:-1}" = 1 ]; then
    for mark in BIND_NOW GNU_RELRO __stack_chk_fail _chk@; do
        grep -q "$mark" <<<"$elf" || fail "the editor is built without $mark"
    done
fi

# An uninstall after the package was built (which rewrites the build's own manifest with system
# paths) removes the user's install and nothing else; a listed file outside the prefix stays.
printf 'kept' >"$work/outside"
echo "$prefix/../outside" >>"$prefix/share/varnotek/installed-files"
uninstall 2>"$work/refused" && fail "uninstall accepted a file outside the prefix"
grep -q "outside" "$work/refused" && [ -f "$work/outside" ] || fail "uninstall reached outside the prefix"
left="$(cd "$prefix" && find . \( -type f -o -type l \) ! -name StyleSet.sty ! -name edset.ini ! -path './share/mime/*' ! -path './share/icons/*' ! -name mimeinfo.cache)"
[ -z "$left" ] || fail "uninstall left $left"
echo "install, reinstall, uninstall, desktop entry, file type and packages: ok"
