#!/usr/bin/env bash
# Installs what is missing, builds wavywall with its tests and runs the whole
# suite; then builds and runs the same suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzzes a recalculation for a minute. Tests
# that need a display start their own Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset fuzz
cmake --build --preset fuzz
fuzz/run.sh 60
