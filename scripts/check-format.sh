#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted as .clang-format says;
# prints the places that are not and fails. `clang-format -i FILE` fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z -- '*.cpp' '*.h' | xargs -0 --no-run-if-empty clang-format --dry-run -Werror
