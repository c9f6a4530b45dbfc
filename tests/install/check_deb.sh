#!/usr/bin/env bash
# Builds the Debian package with CPack, extracts it into a fresh folder and checks
# its tree, that the program's libraries all resolve and that it depends on Qt 6
# Widgets.
#   check_deb.sh BUILD_DIR APP_ID SIZES
set -euo pipefail
build=$1 id=$2 sizes=$3
source "$(dirname "$0")/check_tree.sh"
work=$(mktemp -d "$build/tests/install/deb.XXXXXX")
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "cpack made no single .deb:" "${debs[@]}" >&2
    exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"

dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr" "$id" "$sizes"

unresolved=$(ldd "$work/root/usr/bin/morvint" | grep 'not found' || true)
if [ -n "$unresolved" ]; then
    echo "unresolved libraries of usr/bin/morvint:" >&2
    echo "$unresolved" >&2
    exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
if ! grep -Eq '(^|, )libqt6widgets6([ ,(]|$)' <<<"$depends"; then
    echo "Depends does not name libqt6widgets6" >&2
    exit 1
fi
if [ "$(dpkg-deb -f "$deb" Package)" != morvint ]; then
    echo "the package is not called morvint" >&2
    exit 1
fi
echo "package complete"
