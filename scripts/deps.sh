#!/usr/bin/env bash
# Installs the Debian packages Torvi needs to build, test and run, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libjpeg62-turbo-dev
          fonts-liberation2 googletest libgtest-dev libbenchmark-dev libgl-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
