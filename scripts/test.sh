#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and runs every test: the development build, then the
# address and undefined-behaviour sanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
for preset in dev asan; do
    "$root/scripts/setup.sh" "$preset"
    ctest --preset "$preset" -j "$(nproc)"
done
