#!/usr/bin/env bash
# Installs the Debian packages Velmo needs (only those missing) and builds it.
# Usage: scripts/setup.sh [build-folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ lld pkg-config ccache clang-format clang-tidy
  qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic libxcb1-dev libxcb-keysyms1-dev libxlsxwriter-dev libical-dev
  qt6-translations-l10n python3 python3-openpyxl libxml2-utils xvfb xauth imagemagick xdotool trayer dbus-daemon sshfs openssh-server)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

build="${1:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${VELMO_BUILD_TYPE:-RelWithDebInfo}"
cmake --build "$build"
