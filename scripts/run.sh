#!/usr/bin/env bash
# Sets up, builds and starts the editor.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" debug
exec "$root/build/debug/src/scriptdesk" "$@"
