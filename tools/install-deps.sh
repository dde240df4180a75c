#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, from Debian's archive, every package that building, running and
# testing Zodivane needs, and only those that are missing. Safe to re-run.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core fonts-dejavu-extra fonts-symbola
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libsimdjson-dev
  libswe-dev swe-basic-data python3-ephem
  libgeonames-dev libhowardhinnant-date-dev tzdata
  unrtf poppler-utils xvfb xauth dpkg-dev
  at-spi2-core python3-pyatspi dbus
  lintian desktop-file-utils appstream librsvg2-bin help2man man-db file
  clang libclang-rt-14-dev
  jq shared-mime-info libxml2-utils
  libical-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q \
  --no-install-recommends "${missing[@]}"
