#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine, headless; CTest's emulator
# for the Windows build.   tools/windows/wine-run.sh program.exe [argument...]
#
# Wine hands a Windows program no QT_* variable of the Unix environment, but
# passes WINEQT_* on as QT_*, so every QT_* setting is renamed on the way.
# QtTest writes to the debugger channel when it has no console; forced to
# standard error, its output reaches CTest.
set -euo pipefail

export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/korindo/wine64}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
for name in $(compgen -e); do
    if [[ $name == QT_* ]]; then export "WINE$name=${!name}"; fi
done
export WINEQT_FORCE_STDERR_LOGGING=1

# The first run makes the Wine prefix; tests started alongside wait for it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        wineboot --init > /dev/null 2>&1
        wineserver --wait
    fi
) 9> "$WINEPREFIX.lock"
exec wine "$@"
