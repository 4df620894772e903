#!/usr/bin/env bash
# Times how long korindo.exe takes under Wine until its main window is shown,
# against a bare Qt dialog built the same way, alternating, on the windows
# platform under Xvfb. Prints the median of each and their ratio.
#   tools/windows/startup-bench.sh BUILD_FOLDER [ROUNDS]
set -euo pipefail

build=$(cd "$1" && pwd)
rounds=${2:-7}
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/korindo/wine64}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=:${KORINDO_XVFB_DISPLAY:-98}
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2> /dev/null; wineserver -k 2> /dev/null || true' EXIT
sleep 1
wineboot --init > /dev/null 2>&1 || true
# A server kept warm between runs, as Windows is already running on a desktop.
warm_server() { { wineserver -k || true; wineserver -w; wineserver -p 60; } > /dev/null 2>&1; }
warm_server

data=$(mktemp -d)
cp "$build"/data/* "$data/" 2> /dev/null || cp "$(dirname "$0")"/../../assets/{Icon.ICO,sch.jpg,Pointer.cur,L.jpg,P.txt} "$data/"

# seconds PROGRAM TITLE: from start until a window of that title is visible.
seconds() {
    local start end
    start=$(date +%s.%N)
    (cd "$data" && exec wine "$1") > /dev/null 2>&1 &
    local pid=$!
    until xdotool search --onlyvisible --name "^$2\$" > /dev/null 2>&1; do sleep 0.01; done
    end=$(date +%s.%N)
    kill "$pid" 2> /dev/null || true
    warm_server
    awk "BEGIN { print $end - $start }"
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

bare=() korindo=()
seconds "$build/korindo_baredialog.exe" 'Bare dialog' > /dev/null  # warms the caches
for _ in $(seq "$rounds"); do
    bare+=("$(seconds "$build/korindo_baredialog.exe" 'Bare dialog')")
    korindo+=("$(seconds "$build/korindo.exe" 'Кориндо V1.0')")
done
b=$(printf '%s\n' "${bare[@]}" | median)
k=$(printf '%s\n' "${korindo[@]}" | median)
printf 'start-up under Wine, median of %d: bare Qt dialog %.3f s, korindo.exe %.3f s, ratio %.2f\n' \
    "$rounds" "$b" "$k" "$(awk "BEGIN { print $k / $b }")"
rm -rf "$data"
