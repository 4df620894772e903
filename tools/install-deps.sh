#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, where
# they are missing. Usage: tools/install-deps.sh [extra package...]
# Runs apt-get as root, or through sudo for anybody else.
set -euo pipefail

# libqcustomplot-dev: the plot of the capacitance search.
# qt6-svg-dev: the asset generator, which the tests build.
# qt6-translations-l10n: Qt's own Russian texts, built into the program.
# The rest after it: building the Debian package and checking it in the tests.
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqcustomplot-dev
          qt6-svg-dev
          qt6-translations-l10n
          dpkg-dev lintian desktop-file-utils appstream "$@")

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Installing packages needs root or sudo." >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
