#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a
# distribution would. Usage: tools/check-package.sh STEP BUILD_DIR
#   build      runs CPack; the package is BUILD_DIR/korindo_*.deb
#   lintian    lintian, pedantic: any tag not overridden in the package fails
#   desktop    desktop-file-validate on the packaged menu entry
#   metainfo   appstreamcli on the packaged software-centre description
# Needs the Debian packages dpkg-dev, lintian, desktop-file-utils, appstream.
set -euo pipefail

step=${1:?step}
build=$(cd "${2:?build folder}" && pwd)

package() {
    local found=("$build"/korindo_*.deb)
    [[ ${#found[@]} -eq 1 && -f ${found[0]} ]] || { echo "no single package in $build" >&2; exit 1; }
    echo "${found[0]}"
}

# The package's files, unpacked into a folder that goes when the script ends.
unpack() {
    root=$(mktemp -d "${TMPDIR:-/tmp}/korindo-package.XXXXXX")
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$(package)" "$root"
}

case "$step" in
build)
    rm -f "$build"/korindo_*.deb
    output=$(cd "$build" && cpack -G DEB 2>&1) || { echo "$output"; exit 1; }
    package
    ;;
lintian)
    status=0
    output=$(lintian -EvIL +pedantic --fail-on error,warning,info,pedantic "$(package)" 2>&1) \
        || status=$?
    # Lintian says when it runs as root (in containers); that is no finding.
    grep -v 'running with root privileges' <<<"$output" || true
    exit $status
    ;;
desktop)
    unpack
    output=$(desktop-file-validate "$root/usr/share/applications/korindo.desktop" 2>&1)
    [[ -z "$output" ]] || { echo "$output"; exit 1; }
    echo "korindo.desktop: valid"
    ;;
metainfo)
    unpack
    # The component id is the reverse of the project's domain, korindo.example;
    # the validator does not know the reserved .example ending and only
    # wonders whether it is a domain.
    appstreamcli validate --no-net --strict --override=cid-maybe-not-rdns=pedantic \
        "$root/usr/share/metainfo/korindo.metainfo.xml"
    ;;
*)
    echo "unknown step: $step" >&2
    exit 2
    ;;
esac
