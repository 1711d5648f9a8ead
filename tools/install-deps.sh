#!/usr/bin/env bash
# Installs the Debian packages that building and testing Corvasta need.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config make python3
  qt6-base-dev libgl-dev zlib1g-dev libdeflate-dev libisal-dev libmspack-dev libgcab-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # peers the tests check our files with
  unzip zip 7zip libarchive-tools libhivex-bin libregf-utils libcreg-utils
  liblnk-utils gcab cabextract xorriso genisoimage
  # reading settings files back independently of our profile functions
  crudini
  # host file-system tools (extended attributes, FAT images)
  attr dosfstools mtools ntfs-3g
  # fonts for offscreen screenshots
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
