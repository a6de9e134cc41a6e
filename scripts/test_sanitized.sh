#!/usr/bin/env bash
# Builds the engine and its tests with AddressSanitizer and UBSan into
# build-sanitize/ and runs them.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh" "$top/build-sanitize" -DVORNIX_GUI=OFF -DVORNIX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cd "$top/build-sanitize"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure --parallel "$(nproc)" -L engine
