#!/usr/bin/env bash
# vornix-cli recover: every live file of each fixture comes back byte for
# byte as the fixture script recorded it, with its folders and last-write
# time; the filters, the clash answers and the Recovery History.
# Arguments: the vornix-cli program, the unpacked fixtures, the fixture sources.
set -euo pipefail
cli=$1 fixtures=$2 sources=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
export VORNIX_CONFIG_DIR=$work/config VORNIX_DATA_DIR=$work/data TZ=UTC
fail() { echo "FAIL: $*" >&2; exit 1; }

# The live files of a record: path, size, md5.
check_live() { # record destination
    grep -v '^#' "$1" | while read -r line; do
        md5=${line##* }; rest=${line% *}; size=${rest##* }; path=${rest% *}
        [ "$size" = 0 ] && continue  # FAT lists no empty files: they own no cluster
        [ -f "$2/$path" ] || fail "$2/$path was not recovered"
        [ "$(stat -c %s "$2/$path")" = "$size" ] || fail "$path has the wrong size"
        [ "$(md5sum < "$2/$path" | cut -d' ' -f1)" = "$md5" ] || fail "$path differs"
    done
}
live_only() { sed -n '/^# live/,/^# deleted/p' "$1" | grep -v '^#'; }

for fs in FAT12 FAT16 FAT32 NTFS; do
    img=${fs,,}.img
    [ "$fs" = NTFS ] && img=ntfs.img
    end=$(( $(stat -c %s "$fixtures/$img") / 512 ))
    [ "$fs" = NTFS ] && end=$((end - 1))
    "$cli" recover "$fixtures/$img" --range 0 "$end" --fs "$fs" --dest "$work/$fs" > "$work/$fs.out" ||
        fail "$fs: $(cat "$work/$fs.out")"
    grep -qx "Saving completed successfully." "$work/$fs.out" || fail "$fs result"
    live_only "$sources/$img.txt" > "$work/$fs.live"
    check_live "$work/$fs.live" "$work/$fs"
done
# FAT keeps minutes: the saved time is the DOS write time with 0 seconds.
[ "$(stat -c %Y "$work/FAT16/café.txt")" = "$(date -d '2008-03-05 17:09:00' +%s)" ] || fail "FAT time"

# The sample disk's two partitions, one a path pattern at a time.
"$cli" recover "$fixtures/sample-disk.img" --partition 2 --dest "$work/sample" --path 'Documents' > /dev/null
[ -f "$work/sample/Documents/Thesis final.doc" ] || fail "pattern Documents"
[ ! -e "$work/sample/Photos" ] || fail "Photos was not asked for"

# Filters: deleted files only; one extension.
"$cli" recover "$fixtures/fat16.img" --range 0 32768 --fs FAT16 --dest "$work/deleted" --deleted only > /dev/null
[ -f "$work/deleted/Music/Lost song.mp3" ] && [ ! -e "$work/deleted/Music/song one.mp3" ] || fail "--deleted only"
"$cli" recover "$fixtures/fat16.img" --range 0 32768 --fs FAT16 --dest "$work/ext" --ext TXT > /dev/null
[ -f "$work/ext/café.txt" ] && [ ! -e "$work/ext/Music/song one.mp3" ] || fail "--ext"

# Name clashes: no keeps the old file, rename numbers the new one, yes replaces.
echo old > "$work/FAT16/café.txt"
"$cli" recover "$fixtures/fat16.img" --range 0 32768 --fs FAT16 --dest "$work/FAT16" --path 'café.txt' --on-clash no > "$work/no.out"
[ "$(cat "$work/FAT16/café.txt")" = old ] || fail "--on-clash no"
grep -qx "Saving completed successfully." "$work/no.out" || fail "a declined file counts as done"
"$cli" recover "$fixtures/fat16.img" --range 0 32768 --fs FAT16 --dest "$work/FAT16" --path 'café.txt' --on-clash rename > /dev/null
[ -f "$work/FAT16/café0.txt" ] && [ "$(cat "$work/FAT16/café.txt")" = old ] || fail "--on-clash rename"
"$cli" recover "$fixtures/fat16.img" --range 0 32768 --fs FAT16 --dest "$work/FAT16" --path 'café.txt' --on-clash yes > /dev/null
[ "$(stat -c %s "$work/FAT16/café.txt")" = 1234 ] || fail "--on-clash yes"

# A destination that cannot be written: every file fails, the run says so.
mkdir "$work/locked" && chmod 500 "$work/locked"
if [ "$(id -u)" != 0 ]; then
    if "$cli" recover "$fixtures/fat12.img" --range 0 2880 --fs FAT12 --dest "$work/locked" > "$work/locked.out" 2>&1; then
        fail "an unwritable destination reported success"
    fi
    grep -q "Saving not completed successfully." "$work/locked.out" || fail "unwritable destination result"
fi

# Nothing matched: nothing to save.
if "$cli" recover "$fixtures/fat12.img" --range 0 2880 --fs FAT12 --dest "$work/none" --path 'no such file' 2> "$work/none.err"; then
    fail "an empty selection reported success"
fi
grep -q "You have not selected any file/folder." "$work/none.err" || fail "empty selection message"

history=$(tr -d '\r' < "$work/data/Recovery Log.txt")
for line in "-----------------------Start--------------------------" "Saving Report :" "--------------" \
            "Saving completed successfully."; do
    grep -qxF -- "$line" <<< "$history" || fail "Recovery History lacks '$line'"
done
grep -q "^Size Copied : [0-9.]* MB size in$" <<< "$history" || fail "Recovery History size line"
echo "cli recover: all checks passed"
