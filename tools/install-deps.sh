#!/usr/bin/env bash
# Installs what building and testing Zarva needs on Debian 12; does nothing when all is there.
set -euo pipefail
packages=(cmake ninja-build g++ clang ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libzip-dev libicu-dev qt6-base-dev libqt6svg6-dev qt6-tools-dev-tools
          qt6-translations-l10n xvfb xauth python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
