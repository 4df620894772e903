#!/usr/bin/env bash
# Times how long korindo.exe takes under Wine until its main window is shown,
# against a bare Qt dialog built the same way, alternating, on the windows
# platform under Xvfb, and the memory each holds then (resident set). Prints
# the median of each and their ratio.
#   tools/windows/startup-bench.sh BUILD_FOLDER [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/../qt-source.sh"

build=$(cd "$1" && pwd)
rounds=${2:-7}
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/korindo/wine64}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start_xvfb 98
wineboot --init > /dev/null 2>&1 || true
# A server kept warm between runs, as Windows is already running on a desktop.
warm_server() { { wineserver -k || true; wineserver -w; wineserver -p 60; } > /dev/null 2>&1; }
warm_server

data=$(mktemp -d)
cp "$build"/data/* "$data/" 2> /dev/null || cp "$(dirname "$0")"/../../assets/{Icon.ICO,sch.jpg,Pointer.cur,L.jpg,P.txt} "$data/"

# seconds PROGRAM TITLE: from start until a window of that title is visible;
# the program's resident memory then, in MiB, goes to the file $memory.
memory=$(mktemp)
seconds() {
    local start end
    start=$(date +%s.%N)
    (cd "$data" && exec wine "$1") > /dev/null 2>&1 &
    local pid=$!
    # Bounded: a window that never shows (Wine starting up wrong) fails the
    # bench instead of holding it for ever.
    local deadline=$((SECONDS + 60))
    until xdotool search --onlyvisible --name "^$2\$" > /dev/null 2>&1; do
        ((SECONDS < deadline)) || { echo "$1 showed no window «$2» within 60 s" >&2; exit 1; }
        sleep 0.01
    done
    end=$(date +%s.%N)
    awk '/^VmRSS/ { printf "%.1f\n", $2 / 1024 }' "/proc/$pid/status" >> "$memory" 2> /dev/null || true
    kill "$pid" 2> /dev/null || true
    warm_server
    awk "BEGIN { print $end - $start }"
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

bare=() korindo=() bareMemory=() korindoMemory=()
seconds "$build/korindo_baredialog.exe" 'Bare dialog' > /dev/null  # warms the caches
for _ in $(seq "$rounds"); do
    : > "$memory"
    bare+=("$(seconds "$build/korindo_baredialog.exe" 'Bare dialog')")
    korindo+=("$(seconds "$build/korindo.exe" 'Кориндо V1.0')")
    mapfile -t read < "$memory"
    bareMemory+=("${read[0]:-0}") korindoMemory+=("${read[1]:-0}")
done
b=$(printf '%s\n' "${bare[@]}" | median)
k=$(printf '%s\n' "${korindo[@]}" | median)
printf 'start-up under Wine, median of %d: bare Qt dialog %.3f s, korindo.exe %.3f s, ratio %.2f\n' \
    "$rounds" "$b" "$k" "$(awk "BEGIN { print $k / $b }")"
printf 'memory at start-up, median: bare Qt dialog %s MiB, korindo.exe %s MiB\n' \
    "$(printf '%s\n' "${bareMemory[@]}" | median)" "$(printf '%s\n' "${korindoMemory[@]}" | median)"
rm -rf "$data" "$memory"
