#!/usr/bin/env bash
# Runs every test suite of the WebAssembly build many times with the machine
# kept busy by two loops that do nothing else, and counts how each run ended:
# passed, failed, or hung (still running at the time limit, or finished its
# tests and then did not end). Fails on any run that did not pass.
#
#   tools/web/stress.sh BUILD_FOLDER [RUNS]     (RUNS defaults to 10)
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
runs=${2:-10}

busy=()
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2> /dev/null' EXIT

log=$(mktemp -d)
bad=0
printf '%-22s %6s %6s %6s\n' suite passed failed hung
for suite in "$build"/tests/tst_*.js; do
    name=$(basename "$suite" .js)
    passed=0 failed=0 hung=0
    for ((run = 1; run <= runs; ++run)); do
        (cd "$build/tests" && node "$here/run-program.mjs" "$suite") \
            > "$log/$name.$run.txt" 2>&1
        case $? in
            0) passed=$((passed + 1)); rm -f "$log/$name.$run.txt" ;;
            124 | 125) hung=$((hung + 1)) ;;
            *) failed=$((failed + 1)) ;;
        esac
    done
    printf '%-22s %6d %6d %6d\n' "$name" "$passed" "$failed" "$hung"
    bad=$((bad + failed + hung))
done
if ((bad > 0)); then
    echo "$bad runs did not pass; their output is in $log."
    exit 1
fi
rm -rf "$log"
echo "Every run passed."
