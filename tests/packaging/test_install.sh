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
share/applications/varnotek.desktop
share/mime/packages/varnotek.xml
share/varnotek/installed-files"
actual="$(cd "$prefix" && find bin opt share/applications share/mime/packages share/varnotek \( -type f -o -type l \) | sort)"
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
# (through gio, as a desktop's file manager asks; files with content, as part programs have)
for file in part.nc PART.NGC notes.txt; do printf 'N10 G01 X1\r\n' >"$work/$file"; done
filetype() { XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME="$prefix/share" XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$1"; }
for file in part.nc PART.NGC; do
    [ "$(filetype "$work/$file")" = "text/x-gcode" ] || fail "$file is $(filetype "$work/$file")"
done
[ "$(filetype "$work/notes.txt")" = "text/plain" ] || fail "a text file is $(filetype "$work/notes.txt")"

# The Debian package holds the program folder under /opt and the desktop files under /usr/share.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
listing="$(dpkg-deb -c "$work"/package/varnotek_*.deb | awk '{print $6}')"
for path in ./opt/varnotek/varnotek ./opt/varnotek/Kelpo.so ./usr/share/applications/varnotek.desktop \
    ./usr/share/mime/packages/varnotek.xml ./usr/bin/varnotek; do
    grep -qx "$path" <<<"$listing" || fail "package lacks $path"
done

# An uninstall after the package was built (which rewrites the build's own manifest with system
# paths) removes the user's install and nothing else; a listed file outside the prefix stays.
printf 'kept' >"$work/outside"
echo "$prefix/../outside" >>"$prefix/share/varnotek/installed-files"
uninstall 2>"$work/refused" && fail "uninstall accepted a file outside the prefix"
grep -q "outside" "$work/refused" && [ -f "$work/outside" ] || fail "uninstall reached outside the prefix"
left="$(cd "$prefix" && find . \( -type f -o -type l \) ! -name StyleSet.sty ! -name edset.ini ! -path './share/mime/*' ! -path './share/icons/*' ! -name mimeinfo.cache)"
[ -z "$left" ] || fail "uninstall left $left"
echo "install, reinstall, uninstall, desktop entry, file type and package: ok"
