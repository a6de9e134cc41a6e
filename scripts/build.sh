#!/usr/bin/env bash
# Configures and builds Vornix into build/ (or the folder given as $1, with
# extra CMake arguments after it).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$top/build}
shift || true
cmake -S "$top" -B "$dir" -G Ninja "$@" > /dev/null
cmake --build "$dir" --parallel "$(nproc)"
