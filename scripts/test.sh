#!/usr/bin/env bash
# Installs what is missing, checks that the C++ sources are formatted, builds
# wavywall with its tests and runs the whole suite; then builds and runs the
# same suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# fuzzes a recalculation for half a minute on every core, builds the release
# and benchmark presets and runs each benchmark briefly (its figures are
# printed, not judged: a benchmark that stops building or running fails
# here), and builds, checks and tests the Debian package as Debian's tools do
# (scripts/package.sh). Tests that need a display start their own Xvfb.
#
# usage: scripts/test.sh [STAGE...]
#   STAGE: dev, asan, fuzz, bench or package (default: all five)
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(dev asan fuzz bench package)
for stage in "${stages[@]}"; do
    case $stage in
    dev | asan | fuzz | bench | package) ;;
    *)
        echo "usage: $0 [dev|asan|fuzz|bench|package]..." >&2
        exit 2
        ;;
    esac
done

scripts/install-deps.sh test
scripts/check-format.sh

for stage in "${stages[@]}"; do
    SECONDS=0
    case $stage in
    package)
        # The package's build-time tests are the dev suite's offscreen tests,
        # built from this tree by this compiler: where the dev stage has just
        # run them, the package is built without them (Debian's nocheck), so
        # that one build serves both.
        if [ "${dev_passed:-}" = yes ]; then
            DEB_BUILD_OPTIONS="nocheck${DEB_BUILD_OPTIONS:+ $DEB_BUILD_OPTIONS}" scripts/package.sh
        else
            scripts/package.sh
        fi
        ;;
    bench)
        scripts/bench.sh --brief
        scripts/bench-accessibility.sh --benchmark_repetitions=2
        RUNS=1 scripts/startup-check.sh
        # The release preset: the same tree without the benchmarks.
        cmake --preset release
        cmake --build --preset release
        ;;
    *)
        cmake --preset "$stage"
        cmake --build --preset "$stage"
        if [ "$stage" = fuzz ]; then
            fuzz/run.sh 30
        else
            ctest --preset "$stage"
        fi
        [ "$stage" != dev ] || dev_passed=yes
        ;;
    esac
    echo "test: stage $stage took $SECONDS s"
done
