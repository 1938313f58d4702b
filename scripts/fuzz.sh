#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs one for a given time:
#   scripts/fuzz.sh <readers|handlers|real_to_text> <seconds> [libFuzzer options...]
# New inputs collect in build-fuzz/corpus/<target>/; a finding is written to
# build-fuzz/findings/ and ends the run with a failure.
set -euo pipefail
[ $# -ge 2 ] || {
    echo "usage: $0 <readers|handlers|real_to_text> <seconds> [libFuzzer options...]" >&2
    exit 2
}
TARGET="$1"
SECONDS_TO_RUN="$2"
shift 2
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
FUZZ_BUILD="$ROOT/build-fuzz"
SEEDS="$ROOT/fuzz/corpus/$TARGET"
[ -d "$SEEDS" ] || {
    echo "no fuzz target '$TARGET' (no $SEEDS)" >&2
    exit 2
}

cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DOSTRANE_FUZZ=ON >/dev/null
cmake --build "$FUZZ_BUILD" --parallel 2 --target "${TARGET}_fuzz"

# Only the first ten bytes of an input make a value.
[ "$TARGET" = real_to_text ] && set -- -max_len=10 "$@"

mkdir -p "$FUZZ_BUILD/corpus/$TARGET" "$FUZZ_BUILD/findings"
# The first directory takes the new inputs, so the seeds in the tree stay as they are.
"$FUZZ_BUILD/fuzz/${TARGET}_fuzz" "$FUZZ_BUILD/corpus/$TARGET" "$SEEDS" \
    -max_total_time="$SECONDS_TO_RUN" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$FUZZ_BUILD/findings/${TARGET}-" "$@"
