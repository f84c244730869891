#!/usr/bin/env bash
# Installs what building and running wavywall need and is missing, builds it
# and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/app/wavywall
