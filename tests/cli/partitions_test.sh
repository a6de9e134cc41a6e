#!/usr/bin/env bash
# vornix-cli partitions: what Step 2 lists, and the start and length of every
# partition as The Sleuth Kit's mmls reads them (when mmls is installed).
# Arguments: the vornix-cli program, the unpacked fixtures.
set -euo pipefail
cli=$1 fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VORNIX_CONFIG_DIR=$work/config VORNIX_DATA_DIR=$work/data
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" partitions "$fixtures/partitions.img" > "$work/list.txt"
expected="1   Partition - 1 ( FAT16 )    FAT16          2048        34816  16 MB
2   Partition - 2 ( FAT32 )    FAT32         34816       116736  40 MB
3   Partition - 3 ( FAT16 )    FAT16        122880       126976  2 MB
4   Partition - 4 ( NTFS )     NTFS         129024       159744  15 MB"
diff -u <(echo "$expected") <(tail -n +2 "$work/list.txt") || fail "partitions.img listing"

"$cli" partitions "$fixtures/fat32.img" | tail -n +2 | grep -q '^1   Partition - 1 ( FAT32 )    FAT32             0        81920  40 MB$' ||
    fail "a volume without a table is partition 1"

if command -v mmls > /dev/null; then
    for img in partitions.img sample-disk.img; do
        mmls "$fixtures/$img" > "$work/mmls.txt"
        "$cli" partitions "$fixtures/$img" | tail -n +2 | while read -r n _ _ _ _ _ _ fs start end _; do
            line=$(printf '%010d   %010d   %010d' "$start" $((end - 1)) $((end - start)))
            grep -q "$line" "$work/mmls.txt" || fail "$img partition $n ($fs $start-$end) is not in mmls"
        done
    done
fi
echo "cli partitions: all checks passed"
