#!/usr/bin/env bash
# Screenshots of every dialog under Xvfb, at the default scale and at 150 %,
# into screenshots/ (or the folder given).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/screenshots}
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
export VORNIX_CONFIG_DIR=$(mktemp -d) VORNIX_DATA_DIR=$(mktemp -d)
# The sample disk and the FAT12 floppy as Disk0 and Disk1.
export VORNIX_DISKS=$top/build/tests/fixtures/sample-disk.img:$top/build/tests/fixtures/fat12.img
xvfb-run -a -s "-screen 0 1600x1200x24" "$top/build/tests/vornix_screenshots" "$out/100"
QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 2400x1800x24" "$top/build/tests/vornix_screenshots" "$out/150"
echo "screenshots in $out"
