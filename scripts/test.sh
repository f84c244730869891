#!/usr/bin/env bash
# Installs what is missing, checks that the C++ sources are formatted, builds
# wavywall with its tests and runs the whole suite; then builds and runs the
# same suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# fuzzes a recalculation for a minute. Tests that need a display start their
# own Xvfb.
#
# usage: scripts/test.sh [STAGE...]   STAGE: dev, asan or fuzz (default: all three)
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(dev asan fuzz)
for stage in "${stages[@]}"; do
    case $stage in
    dev | asan | fuzz) ;;
    *)
        echo "usage: $0 [dev|asan|fuzz]..." >&2
        exit 2
        ;;
    esac
done

scripts/install-deps.sh
scripts/check-format.sh

for stage in "${stages[@]}"; do
    SECONDS=0
    cmake --preset "$stage"
    cmake --build --preset "$stage"
    if [ "$stage" = fuzz ]; then
        fuzz/run.sh 60
    else
        ctest --preset "$stage"
    fi
    echo "test: stage $stage took $SECONDS s"
done
