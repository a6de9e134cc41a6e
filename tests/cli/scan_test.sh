#!/usr/bin/env bash
# vornix-cli scan --json on the FAT fixtures lists what the fixture script
# recorded (kind, deleted mark, path, size), and --partition 1 finds a
# volume that starts at sector 0.
# Arguments: the vornix-cli program, the unpacked fixtures, the fixture sources.
set -euo pipefail
cli=$1 fixtures=$2 sources=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VORNIX_CONFIG_DIR=$work/config VORNIX_DATA_DIR=$work/data
fail() { echo "FAIL: $*" >&2; exit 1; }

# kind<TAB>deleted<TAB>path<TAB>size from the JSON lines (no fixture name holds a quote).
to_rows() {
    sed -E 's/^\{"kind":"([a-z]+)","name":"[^"]*","path":"([^"]*)","deleted":(true|false),"size":([0-9]+),.*$/\1\t\3\t\2\t\4/' |
        sed -E 's/\ttrue\t/\ty\t/; s/\tfalse\t/\tn\t/' | LC_ALL=C sort
}

for fs in FAT12 FAT16 FAT32; do
    img=$fixtures/${fs,,}.img
    end=$(( $(stat -c %s "$img") / 512 ))
    "$cli" scan "$img" --range 0 "$end" --fs "$fs" --json > "$work/$fs.json"
    to_rows < "$work/$fs.json" > "$work/$fs.rows"
    diff -u "$sources/${fs,,}.img.expected" "$work/$fs.rows" || fail "$fs listing differs"
    grep -q '"modified":"2008-03-05T17:09:32"' "$work/$fs.json" || fail "$fs dates"
done

# FAT16 and FAT32 at sector 0 are found as partition 1.
"$cli" scan "$fixtures/fat32.img" --partition 1 --json | to_rows > "$work/p1.rows"
diff -u "$sources/fat32.img.expected" "$work/p1.rows" || fail "--partition 1 differs"
"$cli" scan "$fixtures/fat32.img" --partition 1 > "$work/tree.txt"
head -1 "$work/tree.txt" | grep -qx "Root" || fail "tree has no Root"
grep -q '^  Bücher  \[Folder\]  0  05-Mar-2008 17:09  05-Mar-2008 17:09  05-Mar-2008  id ' "$work/tree.txt" || fail "tree row"
grep -q '^    Lost song.mp3  \[Deleted File\]  4444  ' "$work/tree.txt" || fail "deleted tree row"
# NTFS: the volume at sector 0 of ntfs.img, and the second partition of the sample disk.
"$cli" scan "$fixtures/ntfs.img" --partition 1 --json > "$work/ntfs.json"
to_rows < "$work/ntfs.json" | grep -v $'\t\$' | grep -v $'\tLinks/' > "$work/ntfs.rows"
diff -u "$sources/ntfs.img.expected" "$work/ntfs.rows" || fail "NTFS listing differs"
grep -q '"name":"\$MFT","path":"\$MFT","deleted":false' "$work/ntfs.json" || fail "no \$MFT"
"$cli" scan "$fixtures/sample-disk.img" --range 83968 133119 --fs NTFS > "$work/sample.txt"
grep -q '^  Scratch  \[Deleted Folder\]  0  ' "$work/sample.txt" || fail "sample NTFS deleted folder"
grep -q '^    todo.txt  \[Deleted File\]  5000  ' "$work/sample.txt" || fail "sample NTFS deleted file"

# A listed partition goes through Step 2 and Step 3: their blocks in the Activity Report.
"$cli" scan "$fixtures/sample-disk.img" --partition 2 > /dev/null
report=$(tr -d '\r' < "$work/data/Activity Log.txt")
for line in "Step 2 :" "Selected Information : Partition - 2 ( NTFS )" "Partition Type : NTFS" "Partition Size : 24 MB" \
            "Start Sector : 83968" "End Sector : 133120" "Search Exhaustive : Not Checked" "Step 3 :" \
            "Analysing Files/Directories Information : " "Directories Found : 5" "Files Found : 20"; do
    grep -qxF "$line" <<< "$report" || fail "report lacks '$line'"
done
grep -qx "Total Size : [0-9.]* MB" <<< "$report" || fail "report lacks the total size"

if "$cli" scan "$fixtures/fat32.img" --partition 2 > /dev/null 2>&1; then fail "partition 2 accepted"; fi
if "$cli" scan "$fixtures/fat32.img" --range 10 5 --fs FAT32 > /dev/null 2>&1; then fail "empty range accepted"; fi
echo "cli scan: all checks passed"
