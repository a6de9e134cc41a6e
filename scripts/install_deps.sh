#!/usr/bin/env bash
# Installs the Debian packages that building and testing Vornix needs; runs
# apt-get only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libblkid-dev
    qt6-base-dev qt6-svg-dev libgl-dev
    xvfb xauth                # screenshots of the dialogs
    dosfstools mtools fdisk   # making test images
    sleuthkit                 # an independent reading of test images
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
