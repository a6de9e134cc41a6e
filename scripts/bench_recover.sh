#!/usr/bin/env bash
# Benchmark (not a test): recovering every file of a FAT32 and an NTFS image
# of 30,000 files each (about 300 MB of data apiece) with vornix-cli recover,
# beside The Sleuth Kit's tsk_recover -e on the same images. The images are
# made once (mkfs.fat + mtools, mkntfs + ntfs-3g) and kept in build/bench/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/bench_common.sh"
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
bench=$top/build/bench
mkdir -p "$bench"
export VORNIX_CONFIG_DIR=$bench/config VORNIX_DATA_DIR=$bench/data

fat=$bench/recover-fat32.img ntfs=$bench/recover-ntfs.img
if [ ! -f "$fat" ] || [ ! -f "$ntfs" ]; then
    echo "making the images (30,000 files each) ..."
    tree=$(mktemp -d)
    make_bench_tree "$tree" /dev/urandom 6000 80
    rm -f "$fat.tmp" && mkfs.fat -C -F 32 -s 8 "$fat.tmp" $((640 * 1024)) > /dev/null
    (cd "$tree" && MTOOLS_SKIP_CHECK=1 mcopy -s -i "$fat.tmp" ./* ::/) && mv "$fat.tmp" "$fat"
    mnt=$(mktemp -d)
    rm -f "$ntfs.tmp" && truncate -s 640M "$ntfs.tmp" && mkntfs -F -Q -q "$ntfs.tmp" 2> /dev/null
    ntfs-3g "$ntfs.tmp" "$mnt" && cp -r "$tree/." "$mnt/" && umount "$mnt" && mv "$ntfs.tmp" "$ntfs"
    rm -rf "$tree" "$mnt"
fi

measure() { # label command...
    local out=$bench/out
    rm -rf "$out"
    sync
    local start end
    start=$(date +%s.%N)
    "${@:2}" "$out" > /dev/null
    end=$(date +%s.%N)
    local seconds bytes files
    seconds=$(echo "$end - $start" | bc)
    bytes=$(du -sb "$out" | cut -f1)
    files=$(find "$out" -type f | wc -l)
    printf '%-28s %6.2f s  %8.1f MB/s  %8.0f files/s  (%d files, %d MB)\n' "$1" "$seconds" \
        "$(echo "$bytes / 1048576 / $seconds" | bc -l)" "$(echo "$files / $seconds" | bc -l)" "$files" $((bytes / 1048576))
}

for img in "$fat" "$ntfs"; do
    name=$(basename "$img" .img)
    cat "$img" > /dev/null  # both tools read from the page cache
    measure "vornix-cli recover $name" "$top/build/vornix-cli" recover "$img" --partition 1 --dest
    measure "tsk_recover -e $name" tsk_recover -e "$img"
done
rm -rf "$bench/out"
