#!/usr/bin/env bash
# Sets up everything on a fresh Debian machine, builds Vornix and runs every
# test: the engine tests, the command-line tests and the dialog tests (Qt's
# offscreen platform, no display needed).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
cd "$top/build"
ctest --output-on-failure --parallel "$(nproc)"
