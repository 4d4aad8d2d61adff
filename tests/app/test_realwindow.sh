#!/usr/bin/env bash
# The real executable on a real X server, as a user starts it: from a copied program folder the
# start-up window shows, then the main window with the named file on screen in colour; without
# Kelpo.so the "Error 0" box shows and the process ends after telling Talvane. SIGTERM ends the
# editor cleanly. The program folder's name is not UTF-8.
# Argument: the program folder of the build. Runs itself under xvfb-run.
set -euo pipefail
if [ -z "${VARNOTEK_UNDER_XVFB:-}" ]; then
    VARNOTEK_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM
bin="$1"
work="$(mktemp -d)"
sim=""
cleanup() { [ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

# A folder name need not be UTF-8: the program folder is bytes.
folder="$work/program"$'\xe9'
mkdir "$folder"
cp "$bin/varnotek" "$bin/Kelpo.so" "$folder/"
printf 'O1001 (BRACKET - OP10 ROUGH AND FINISH AT FULL DEPTH)\r\nN10 G01 X10.5 Y-3\r\n' >"$work/part.nc"

# Width x height of the visible window titled exactly $1, or nothing.
window_size() {
    local id
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)" || return 0
    # The window may close between the search and the look.
    [ -n "$id" ] && { xwininfo -id "$id" 2>/dev/null || true; } | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}
wait_for() {  # condition, seconds
    local tries=$(($2 * 10))
    while [ $tries -gt 0 ]; do
        eval "$1" && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

"$folder/varnotek" "$work/part.nc" &
editor=$!
# Form2 first (5565 x 4080 twips), then MDIForm1 (635 x 386 pixels).
wait_for '[ "$(window_size Varnotek)" = "371x272" ]' 5 || fail "no start-up window: $(window_size Varnotek)"
wait_for '[ "$(window_size Varnotek)" = "635x386" ]' 10 || fail "no main window: $(window_size Varnotek)"
sleep 1.5
import -window root "$work/screen.png"
# The comment is painted in the built-in comment colour, green 0,192,0.
green="$(convert "$work/screen.png" -fill black +opaque "rgb(0,192,0)" -fill white -opaque "rgb(0,192,0)" \
    -format "%[fx:mean*w*h]" info:)"
[ "${green%.*}" -gt 100 ] || fail "the comment is not on screen in green ($green pixels)"
# SIGTERM ends it as closing the window would: its endpoint goes with it.
[ -S "$XDG_RUNTIME_DIR/mbinterproc/varnotek-$editor" ] || fail "no endpoint while running"
kill -TERM "$editor"
status=0
wait "$editor" || status=$?
[ "$status" -eq 0 ] || fail "SIGTERM ended the editor with $status"
[ ! -e "$XDG_RUNTIME_DIR/mbinterproc/varnotek-$editor" ] || fail "SIGTERM left the endpoint behind"

# Without the component module: the box, the notice to Talvane, the end of the process.
rm "$folder/Kelpo.so"
"$bin/talvane-sim" --record "$work/talvane.record" >"$work/sim.out" 2>&1 &
sim=$!
wait_for 'grep -q ready "$work/sim.out"' 5 || fail "talvane-sim did not start"
"$folder/varnotek" &
editor=$!
wait_for 'xdotool search --onlyvisible --name "^Error 0\$" >/dev/null 2>&1' 10 || fail "no Error 0 box"
# The box has the keyboard: Return answers it (again if the first key came too early).
wait_for '{ xdotool key Return 2>/dev/null || true; } && ! kill -0 "$editor" 2>/dev/null' 10 || fail "the box stayed"
status=0
wait "$editor" || status=$?
[ "$status" -eq 1 ] || fail "the process ended with $status"
wait_for 'grep -q EDIT_FAILED "$work/talvane.record"' 3 || fail "Talvane was not told"
echo "start-up window, main window in colour, and the failure path: ok"
