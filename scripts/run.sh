#!/usr/bin/env bash
# Sets up everything on a fresh Debian machine, builds Vornix and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
exec "$top/build/vornix" "$@"
