#!/usr/bin/env bash
# Builds the program and takes the README's screenshots from the real windows into docs/images.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" debug scriptdesk_screenshots
mkdir -p "$root/docs/images"
QT_QPA_PLATFORM=offscreen "$root/build/debug/src/scriptdesk_screenshots" "$root/docs/images"
echo "Screenshots written to docs/images"
