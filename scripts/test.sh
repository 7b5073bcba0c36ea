#!/usr/bin/env bash
# Sets up, builds with warnings as errors and runs the whole test suite (GUI tests offscreen).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" ci
export QT_QPA_PLATFORM=offscreen
cd "$root"
ctest --preset ci -j2
