#!/usr/bin/env bash
# Installs the Debian 12 packages Tolvan needs that are not there yet.
#   scripts/setup.sh          what building and running need
#   scripts/setup.sh --test   also what the tests need (printing system, PDF tools, fonts,
#                             the desktop file and XML validators, the Debian packaging tools,
#                             clang with its fuzzer and sanitizer runtimes)
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
          libbenchmark-dev fonts-liberation xvfb xauth)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(cups cups-client printer-driver-cups-pdf poppler-utils
             desktop-file-utils libxml2-utils shared-mime-info man-db dpkg-dev
             clang clang-format libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# The printing service cannot be started by the package scripts here (no init
# system); scripts/test.sh starts it itself.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
  || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
