#!/usr/bin/env bash
# vornix-cli list: two image files named by VORNIX_DISKS are Disk0 and Disk1
# with the rows of the Step 1 panel.
# Arguments: the vornix-cli program, the unpacked fixtures.
set -euo pipefail
cli=$1 fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VORNIX_CONFIG_DIR=$work/config VORNIX_DATA_DIR=$work/data
export VORNIX_DISKS=$fixtures/sample-disk.img:$fixtures/fat12.img VORNIX_DRIVES=
"$cli" list > "$work/list.txt"
expected="Select Disk
Disk0
  Physical Disk Number : 0
  Model   : $fixtures/sample-disk.img
  Media Type   : Fixed hard disk media
  Cylinder   : 8
  Head   : 255
  Sectors Per Track   : 63
  Disk Size  : 66 MB
  Linux Device   : $fixtures/sample-disk.img
Disk1
  Physical Disk Number : 1
  Model   : $fixtures/fat12.img
  Media Type   : Fixed hard disk media
  Cylinder   : 0
  Head   : 255
  Sectors Per Track   : 63
  Disk Size  : 1 MB
  Linux Device   : $fixtures/fat12.img
Select Logical Drive"
diff -u <(echo "$expected") "$work/list.txt"
echo "cli list: all checks passed"
