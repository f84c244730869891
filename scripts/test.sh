#!/usr/bin/env bash
# Installs what is missing, checks that the C++ sources are formatted, builds
# wavywall with its tests and runs the whole suite; then builds and runs the
# same suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# fuzzes a recalculation for a minute, and builds, checks and tests the
# Debian package as Debian's tools do (scripts/package.sh). Tests that need a
# display start their own Xvfb.
#
# usage: scripts/test.sh [STAGE...]   STAGE: dev, asan, fuzz or package (default: all four)
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(dev asan fuzz package)
for stage in "${stages[@]}"; do
    case $stage in
    dev | asan | fuzz | package) ;;
    *)
        echo "usage: $0 [dev|asan|fuzz|package]..." >&2
        exit 2
        ;;
    esac
done

scripts/install-deps.sh test
scripts/check-format.sh

for stage in "${stages[@]}"; do
    SECONDS=0
    if [ "$stage" = package ]; then
        scripts/package.sh
        echo "test: stage $stage took $SECONDS s"
        continue
    fi
    cmake --preset "$stage"
    cmake --build --preset "$stage"
    if [ "$stage" = fuzz ]; then
        fuzz/run.sh 60
    else
        ctest --preset "$stage"
    fi
    echo "test: stage $stage took $SECONDS s"
done
