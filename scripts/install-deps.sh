#!/usr/bin/env bash
# Installs the Debian packages ZUNO needs to build, test and run, and any
# further packages named as arguments (the fuzz build names its compiler).
# Installs only what is missing; uses sudo when not run as root.
set -euo pipefail

if [ $# -gt 0 ]; then
  packages=("$@")
else
  packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-svg-dev qt6-tools-dev libgl-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
  zlib1g-dev libminizip-dev libxlsxwriter-dev libbenchmark-dev
  qt6-translations-l10n fonts-dejavu-core xvfb xauth
)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
