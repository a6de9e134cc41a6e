#!/usr/bin/env bash
# Benchmark (not a test): the NTFS quick scan of a volume of 30,000 files in
# nested folders, beside The Sleuth Kit's fls -r -p on the same image. The
# image is made once with mkntfs and ntfs-3g (FUSE) and kept in build/bench/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/bench_common.sh"
"$top/scripts/install_deps.sh"
"$top/scripts/build.sh"
bench=$top/build/bench
img=$bench/ntfs-30000.img
mkdir -p "$bench"
if [ ! -f "$img" ]; then
    command -v ntfs-3g > /dev/null || { echo "needs ntfs-3g (apt-get install ntfs-3g)"; exit 1; }
    echo "making $img (30 folders x 10 subfolders x 100 files) ..."
    mnt=$(mktemp -d)
    rm -f "$img.tmp"
    truncate -s 512M "$img.tmp"
    mkntfs -F -Q -q "$img.tmp" 2> /dev/null
    ntfs-3g "$img.tmp" "$mnt"
    make_bench_tree "$mnt" /dev/zero 100 7
    umount "$mnt"
    rmdir "$mnt"
    mv "$img.tmp" "$img"
fi
"$bench/vornix_ntfs_bench" "$img"
time_fls "$img"
