#!/usr/bin/env bash
# Installs the Debian packages that a set of tasks needs, where they are
# missing. The targets of the Makefile that run or test something call it;
# the targets that only build do not.
#
#   tools/install-deps.sh SET|PACKAGE...
#
# SET is one of:
#   desktop   building and running the program
#   test      the desktop's tests: the asset generator, the layout check and
#             the Debian package built and checked
#   bench     the benchmark of the capacitance search
#   fuzz      the libFuzzer targets
#   windows   the Windows build and its tests (the rest is in the Debian 13 root)
#   web       the page's build and its tests in Chromium
# Anything else is taken as a package's name. Runs apt-get as root, or through
# sudo for anybody else.
set -euo pipefail

# libqcustomplot-dev: the plot of the capacitance search.
# qt6-translations-l10n: Qt's own Russian texts, built into the program.
desktop=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqcustomplot-dev
         qt6-translations-l10n)
# qt6-svg-dev: the asset generator, which the tests build.
test=("${desktop[@]}" qt6-svg-dev clang-format dpkg-dev lintian desktop-file-utils appstream)
bench=("${desktop[@]}" libbenchmark-dev)
fuzz=("${desktop[@]}" clang libclang-rt-14-dev)
# MinGW-w64 and the Qt host tools come from the Debian 13 root; Wine and the
# installer's tools from this machine.
windows=(debootstrap wine wine64 nsis zip dpkg-dev patch xvfb xdotool imagemagick)
# npm only where none is there: a Node.js from elsewhere brings its own, which
# Debian's npm package would conflict with.
web=(debootstrap chromium)
command -v npm > /dev/null || web+=(nodejs npm)

packages=()
for name in "${@:-desktop}"; do
    case $name in
        desktop) packages+=("${desktop[@]}") ;;
        test) packages+=("${test[@]}") ;;
        bench) packages+=("${bench[@]}") ;;
        fuzz) packages+=("${fuzz[@]}") ;;
        windows) packages+=("${windows[@]}") ;;
        web) packages+=("${web[@]}") ;;
        *) packages+=("$name") ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Installing packages needs root or sudo." >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
