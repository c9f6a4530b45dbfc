#!/usr/bin/env bash
# Installs the build into a fresh folder with `cmake --install` and checks the tree.
#   check_install.sh BUILD_DIR APP_ID SIZES
set -euo pipefail
build=$1 id=$2 sizes=$3
source "$(dirname "$0")/check_tree.sh"
work=$(mktemp -d "$build/tests/install/tree.XXXXXX")
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix" "$id" "$sizes"
echo "installed tree complete"
