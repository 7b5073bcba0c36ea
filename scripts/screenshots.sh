#!/usr/bin/env bash
# Builds the screenshot tool alone and retakes the README's pictures from the real windows into
# docs/images: the main window at its starting size with the game's own script loaded.
# Extra arguments go to the tool: --review also writes every page at three sizes, --font <points>
# a larger system font; then give a folder of your own as the first argument instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" debug scriptdesk_screenshots
out="${1:-$root/docs/images}"
shift || true
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$root/build/debug/src/scriptdesk_screenshots" "$out" "$@"
echo "Screenshots written to $out"
