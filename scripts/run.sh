#!/usr/bin/env bash
# Builds Torvi and shows it: draws the demo sheet with torvi-cli and says where the picture went.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target torvi-cli
out="${TORVI_DEMO_OUT:-$PWD/build/demo.png}"
QT_QPA_PLATFORM=offscreen build/release/tools/torvi-cli/torvi-cli demo -o "$out"
echo "Torvi demo sheet written to $out"
