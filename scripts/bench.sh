#!/usr/bin/env bash
# Sets up, builds optimised and runs the benchmarks; extra arguments go to each benchmark.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
BUILD="${OSTRANE_BUILD_DIR:-$ROOT/build-release}"
build -DCMAKE_BUILD_TYPE=Release
for bench in "$BUILD"/bench/*_bench "$BUILD"/bench/gui/*_bench; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" "$@"
done
