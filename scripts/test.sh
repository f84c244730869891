#!/usr/bin/env bash
# Installs what is missing, builds wavywall with its tests and runs the whole
# suite. Tests that need a display start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev
ctest --preset dev
