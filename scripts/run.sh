#!/usr/bin/env bash
# Sets up everything on a fresh Debian machine, builds Vornix and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
# Unless you name disks of your own, the sample disk (a FAT32 and an NTFS
# partition with live and deleted files) is offered as Disk0.
if [ -z "${VORNIX_DISKS:-}" ]; then
    export VORNIX_DISKS=$top/build/tests/fixtures/sample-disk.img
fi
exec "$top/build/vornix" "$@"
