#!/usr/bin/env bash
# Sets up, builds the editor alone (not the test suite) and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" debug scriptdesk
exec "$root/build/debug/src/scriptdesk" "$@"
