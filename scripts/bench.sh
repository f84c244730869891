#!/usr/bin/env bash
# Installs what is missing, builds the release benchmarks (preset "bench") and
# measures one recalculation: the click as a user makes it, the cost of
# painting its segments alone (the floor) and the plot arithmetic alone, with
# their medians and ratios at the end. Needs no display. Arguments go to the
# benchmark program, e.g. --benchmark_filter=floor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
exec build/release/bench/bench_recalculation "$@"
