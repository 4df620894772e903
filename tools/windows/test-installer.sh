#!/usr/bin/env bash
# Tries the Windows installer the way a user meets it, under Wine in a fresh
# prefix: a silent install, the installed program started from its folder on
# the windows platform under Xvfb with every window opened and pictured, then
# a silent uninstall that must leave nothing behind.
#   tools/windows/test-installer.sh BUILD_FOLDER
# The pictures go to BUILD_FOLDER/downloads/screenshots.
set -euo pipefail
source "$(dirname "$0")/../qt-source.sh"

build=$(cd "$1" && pwd)
setup=$(ls "$build"/downloads/korindo-*-setup.exe)
shots=$build/downloads/screenshots
export WINEPREFIX=$build/downloads/wineprefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
installed="$WINEPREFIX/drive_c/Program Files/Korindo"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Кориндо.lnk"
# As system.reg writes it, with its backslashes doubled.
key='Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korindo]'

passes=0 failures=0
check() { # check DESCRIPTION COMMAND...
    local what=$1; shift
    if "$@"; then
        echo "ok   $what"; passes=$((passes + 1))
    else
        echo "FAIL $what"; failures=$((failures + 1))
    fi
}
registered() { grep -qF "$key" "$WINEPREFIX/system.reg"; }

rm -rf "$WINEPREFIX" "$shots"
mkdir -p "$shots"
wineboot --init > /dev/null 2>&1
wineserver --wait

wine "$setup" /S
wineserver --wait
check "installs the program into Program Files" test -f "$installed/korindo.exe"
check "installs the data files beside it" test -f "$installed/P.txt" -a -f "$installed/Icon.ICO"
check "installs the licences" test -f "$installed/LICENSE" -a -f "$installed/licenses/qt/LGPL-3.0-only.txt"
check "adds a Start-menu shortcut" test -f "$shortcut"
check "adds an entry to the installed programs" registered

# The shortcut starts the program in the install folder.
check "the shortcut's working folder is the install folder" \
    grep -aq 'C:\\Program Files\\Korindo' "$shortcut"

start_xvfb 97

# window NAME: waits up to 60 s for a window of that title, prints its id.
window() {
    local id
    for _ in $(seq 120); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) || true
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.5
    done
    return 1
}
# open BUTTON_X BUTTON_Y TITLE FILE: clicks a button of the main window (in
# pixels of its client area) and pictures the window that opens.
main=""
open() {
    # With no window manager every window opens at the same place: the main
    # window comes back to the top before its button is pressed.
    xdotool windowraise "$main"
    xdotool mousemove --window "$main" "$1" "$2" click 1
    local id
    id=$(window "$3") || return 1
    sleep 1
    import -window "$id" "$folder/$4"
}
# picture_every_window FOLDER [STYLE]: starts the installed program, in Qt's
# STYLE where one is named, opens every window and pictures it into FOLDER.
picture_every_window() {
    folder=$1
    local as=${2:+ in the $2 style}
    mkdir -p "$folder"
    (cd "$installed" && exec wine korindo.exe ${2:+-style "$2"}) > /dev/null 2>&1 &
    local program=$!
    if main=$(window 'Кориндо V1.0'); then
        sleep 2
        import -window "$main" "$folder/Form1.png"
        check "opens «Расчет индуктивности дросселя»$as" open 80 340 'Расчет индуктивности дросселя' Form4.png
        check "opens «Расчет емкости С»$as" open 232 340 'Расчет емкости С' Form5.png
        check "opens «Компенсация реактивной мощности»$as" open 80 372 'Компенсация реактивной мощности' Form6.png
        check "opens «Принцип работы»$as" open 80 308 'Принцип работы' Form2.png
    else
        check "the installed program shows its main window$as" false
    fi
    kill "$program" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
    wineserver --wait
}
picture_every_window "$shots"
# Wine 8 cannot report Windows 11 (it knows Windows versions up to 10, and
# gives the build number of its own table whatever the registry says), so the
# style that Qt picks there is named instead.
picture_every_window "$shots/windows11" windows11

wine "$installed/uninstall.exe" /S
wineserver --wait
sleep 2
check "the uninstaller removes the install folder" test ! -e "$installed"
check "the uninstaller removes the shortcut" test ! -e "$shortcut"
check "the uninstaller removes the entry" eval '! registered'

echo "Pictures of the installed program: $shots"
echo "installer: $passes passed, $failures failed"
[[ $failures -eq 0 ]]
