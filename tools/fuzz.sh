#!/usr/bin/env bash
# Runs each libFuzzer target of the fuzz preset's build for SECONDS, on a
# corpus kept in the build folder and the seeds in tests/fuzz/.
#
#   tools/fuzz.sh BUILD SECONDS
set -euo pipefail
build=$1
seconds=$2
cd "$(dirname "$0")/.."

# The numeric fields take texts of up to 120 000 characters (maxFieldLength),
# so their target gets inputs past that.
field_max_len=120016

fuzz() {
    local target=$1 corpus=$2 seeds=$3
    shift 3
    mkdir -p "$build/$corpus"
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 "$@" \
        "$build/$corpus" "tests/fuzz/$seeds"
}
fuzz fuzz_numericinput corpus seeds -max_len=$field_max_len
fuzz fuzz_principletext corpus-principletext seeds-principletext
fuzz fuzz_cursorfile corpus-cursorfile seeds-cursorfile
fuzz fuzz_calculationlink corpus-calculationlink seeds-calculationlink
