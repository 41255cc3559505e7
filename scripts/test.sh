#!/usr/bin/env bash
# Builds Torvi and runs the whole test suite. Usage: scripts/test.sh [preset] (default: dev).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
scripts/deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j"$(nproc)"
