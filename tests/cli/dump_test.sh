#!/usr/bin/env bash
# vornix-cli dump: sectors of a FAT image fixture, a two-part image set read
# across its part boundary, and the errors of a source that cannot be read.
# Arguments: the vornix-cli program, the unpacked fixtures, the golden files.
set -euo pipefail
cli=$1 fixtures=$2 golden=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VORNIX_CONFIG_DIR=$work/config VORNIX_DATA_DIR=$work/data
fail() { echo "FAIL: $*" >&2; exit 1; }

# The boot sector of the FAT12 fixture, as recorded.
"$cli" dump "$fixtures/fat12.img" --sector 0 > "$work/boot.txt"
diff -u "$golden/dump_fat12_sector0.txt" "$work/boot.txt" || fail "boot sector dump differs"

# A two-part image set: the last sector of image0.img holds 'A', the first
# of image1.img holds 'B'. Part names are found without regard to case.
part_bytes=681574400
mkdir "$work/set"
truncate -s $part_bytes "$work/set/image0.img"
head -c 512 /dev/zero | tr '\0' 'A' | dd of="$work/set/image0.img" bs=512 seek=1331199 conv=notrunc status=none
head -c 1024 /dev/zero | tr '\0' 'B' > "$work/set/IMAGE1.IMG"
"$cli" dump "$work/set" --sector 1331199 --count 2 > "$work/split.txt"
grep -q '^Sector 1331199 (byte offset 0x289FFE00)$' "$work/split.txt" || fail "no header of sector 1331199"
grep -q '^Sector 1331200 (byte offset 0x28A00000)$' "$work/split.txt" || fail "no header of sector 1331200"
[ "$(grep -c '|AAAAAAAAAAAAAAAA|' "$work/split.txt")" = 32 ] || fail "sector 1331199 is not all A"
[ "$(grep -c '|BBBBBBBBBBBBBBBB|' "$work/split.txt")" = 32 ] || fail "sector 1331200 is not all B"

# Sources that cannot be read: a message naming the path, a non-zero exit.
if "$cli" dump "$work/missing.img" --sector 0 > /dev/null 2> "$work/err.txt"; then fail "missing source accepted"; fi
grep -q "$work/missing.img: No such file or directory" "$work/err.txt" || fail "missing source not named"
mkdir "$work/empty"
if "$cli" dump "$work/empty" --sector 0 > /dev/null 2> "$work/err.txt"; then fail "empty folder accepted"; fi
grep -q "holds no image set" "$work/err.txt" || fail "empty folder not explained"
if "$cli" dump "$fixtures/fat12.img" > /dev/null 2>&1; then fail "missing --sector accepted"; fi

# Reading past the end of the image: zeros and a failed exit code.
if "$cli" dump "$fixtures/fat12.img" --sector 2880 --bad-sectors skip-all > "$work/end.txt" 2> "$work/err.txt"; then
    fail "read past the end reported as success"
fi
grep -q "reading sectors 2880 to 2880 failed" "$work/err.txt" || fail "failed read not reported"
echo "cli dump: all checks passed"
