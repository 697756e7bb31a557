#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the
# workbench. Quiet when everything is already there; apt's output is shown
# only when it fails.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev
  libzip-dev libmodbus-dev
  fonts-dejavu-core fonts-wqy-microhei
  libgtest-dev libgmock-dev googletest libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
if ! { "${sudo_cmd[@]}" apt-get update -qq && \
       "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
