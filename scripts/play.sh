#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" dev
exec "$root/build/dev/app/morvint"
