#!/usr/bin/env bash
# Peak memory of the whole editor process (VmHWM) on a real X server, with a program of N lines
# (default 1,000,000 and 5,000,000) named on the command line and the whole-document styling
# pass run to the end, over the same editor started empty, in multiples of the file's size.
# N:L puts a first line of L bytes of words before the N lines (5520000:5000000 is 200 MB
# with a 5 MB line).
# Usage: bench/peak_memory.sh BUILD_BIN_FOLDER [N[:L]...]
set -euo pipefail
if [ -z "${VARNOTEK_UNDER_XVFB:-}" ]; then
    VARNOTEK_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM
bin="$1"
shift
[ $# -gt 0 ] || set -- 1000000 5000000
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The peak once it has not moved for eight seconds (the pass has ended).
peak() {
    "$bin/varnotek" "$@" >/dev/null 2>&1 &
    local pid=$! last=0 stable=0 now
    while [ $stable -lt 16 ]; do
        sleep 0.5
        now="$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null)" || break
        if [ "$now" = "$last" ]; then stable=$((stable + 1)); else stable=0; fi
        last="$now"
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$last"
}

empty="$(peak)"
for program in "$@"; do
    lines="${program%%:*}" long=0
    [ "$lines" = "$program" ] || long="${program#*:}"
    awk -v n="$lines" -v long="$long" 'BEGIN {
        if (long > 0) {
            for (words = "N10 M3 (A) "; length(words) < long; ) words = words words
            printf "%s\r\n", substr(words, 1, long - 2)
        }
        for (i = 1; i <= n; i++) printf "N%d G01 X%d.5 Y-%d.25 F800\r\n", i * 10, i % 977, i % 313 }' \
        >"$work/program.nc"
    size="$(stat -c %s "$work/program.nc")"
    loaded="$(peak "$work/program.nc")"
    awk -v l="$program" -v s="$size" -v e="$empty" -v p="$loaded" \
        'BEGIN { printf "%s lines, %.1f MiB: peak %.1f MiB above the empty editor, %.2f x the file\n", l, s / 1048576, (p - e) / 1024, (p - e) * 1024 / s }'
done
