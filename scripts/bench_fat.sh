#!/usr/bin/env bash
# Benchmarks (not tests): the FAT quick scan of a FAT32 image of 30,000 files
# in nested folders, beside The Sleuth Kit's fls -r -p on the same image, and
# the found-item store alone with 200,000 folders and 2,000,000 files.
# The image is made once with mkfs.fat and mtools and kept in build/bench/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/bench_common.sh"
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
bench=$top/build/bench
img=$bench/fat32-30000.img
mkdir -p "$bench"
if [ ! -f "$img" ]; then
    echo "making $img (30 folders x 10 subfolders x 100 files) ..."
    tree=$(mktemp -d)
    trap 'rm -rf "$tree"' EXIT
    make_bench_tree "$tree" /dev/zero 100 7
    rm -f "$img.tmp"
    mkfs.fat -C -F 32 -s 8 "$img.tmp" $((400 * 1024)) > /dev/null
    (cd "$tree" && MTOOLS_SKIP_CHECK=1 mcopy -s -i "$img.tmp" ./* ::/)
    mv "$img.tmp" "$img"
fi
"$top/build/bench/vornix_fat_bench" "$img" FAT32
time_fls "$img"
"$top/build/bench/vornix_store_bench"
