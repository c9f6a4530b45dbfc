#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build with `cmake --install` into a fresh prefix and checks the
# tree, then builds the Debian package and lets lintian judge it.
#   check_install.sh BUILD_DIR APP_ID ICON_SIZES...
set -euxo pipefail
build=$1 id=$2
shift 2
work=$(mktemp -d "$build/tests/install/work.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/usr" >/dev/null
cd "$work/usr/share"
for size in "$@"; do
    file "icons/hicolor/${size}x$size/apps/$id.png" | grep -q ": PNG image data, $size x $size,"
done
gzip -t man/man6/morvint.6.gz
desktop-file-validate "applications/$id.desktop"
grep -qx "Icon=$id" "applications/$id.desktop"
test -x "$(sed -n 's/^Exec=//p' "applications/$id.desktop")"
appstreamcli validate-tree --pedantic --no-net "$work"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >/dev/null
lintian --fail-on error,warning "$work"/deb/morvint_*.deb
