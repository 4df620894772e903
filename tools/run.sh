#!/usr/bin/env bash
# Starts the program of BUILD in its folder of data files, where each window
# reads them from the current directory as it loads.
#
#   tools/run.sh BUILD
set -euo pipefail
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "There is no display to show the windows on; 'make screenshots' renders them to PNG files instead."
    exit 1
fi
cd "$1/data"
exec ../korindo
