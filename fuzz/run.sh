#!/usr/bin/env bash
# Fuzzes a recalculation for a while, starting from a copy of the seed corpus
# in a temporary directory, so that the inputs the fuzzer adds and any crash
# it finds never land in the work tree. On a crash it prints the input that
# caused it, keeps the directory with the log and fails. It fuzzes on every
# core, in libFuzzer's fork mode: each job starts from the corpus the others
# have grown so far.
#
# usage: fuzz/run.sh [seconds, 60 if not given] [fuzzer executable]
# Build the fuzzer first: cmake --preset fuzz && cmake --build --preset fuzz
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
seconds=${1:-60}
fuzzer=${2:-$here/../build/fuzz/fuzz/fuzz_recalculation}
if [ ! -x "$fuzzer" ]; then
    echo "fuzz/run.sh: no fuzzer at $fuzzer; build it with the fuzz preset" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz_recalculation.XXXXXX")
mkdir "$work/corpus" "$work/artifacts"
cp "$here"/corpus/* "$work/corpus/"

cores=$(nproc)
echo "fuzz/run.sh: fuzzing a recalculation for $seconds s on $cores cores in $work"
# A single input taking 10 s would be a hang: the program must answer a click at once.
if "$fuzzer" -fork="$cores" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict="$here/recalculation.dict" -artifact_prefix="$work/artifacts/" \
    "$work/corpus" >"$work/fuzzer.log" 2>&1; then
    # The last count of runs and coverage, and the time it took.
    grep -E '^#[0-9]+: cov:' "$work/fuzzer.log" | tail -n 1 || true
    grep -E '^INFO: exiting' "$work/fuzzer.log" || true
    rm -rf "$work"
    exit 0
fi

echo "fuzz/run.sh: the fuzzer found a failure; log and inputs kept in $work" >&2
tail -n 60 "$work/fuzzer.log" >&2
for input in "$work"/artifacts/*; do
    [ -e "$input" ] || continue
    echo "--- $input (Mach number text, NUL, H/L text):" >&2
    od -An -c "$input" >&2
done
exit 1
