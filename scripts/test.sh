#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite; then runs it again built with AddressSanitizer
# and UndefinedBehaviorSanitizer (build-asan/), and each fuzz target for OSTRANE_FUZZ_SECONDS
# seconds (default 20; 0 leaves fuzzing out). Any sanitizer report or fuzz finding fails the run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
# The tree is formatted as .clang-format says.
(cd "$ROOT" && find simulation settings displayf batch tests bench fuzz main.cpp \
    -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror)
build
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"

# The same suite as the build above, windows included when it has them. Unoptimised: the
# sanitizers find as much, and it builds in half the time.
ASAN_BUILD="$ROOT/build-asan"
GUI="$(sed -n 's/^OSTRANE_GUI:BOOL=//p' "$BUILD/CMakeCache.txt")"
cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DOSTRANE_SANITIZE=ON -DOSTRANE_BENCH=OFF \
    -DOSTRANE_GUI="${GUI:-ON}"
cmake --build "$ASAN_BUILD" --parallel 2
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_stack_use_after_return=1:strict_init_order=1}" \
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
    ctest --test-dir "$ASAN_BUILD" --output-on-failure -j"$(nproc)"

FUZZ_SECONDS="${OSTRANE_FUZZ_SECONDS:-20}"
if [ "$FUZZ_SECONDS" -gt 0 ]; then
    mkdir -p "$ROOT/build-fuzz"
    for target in readers handlers real_to_text; do
        log="$ROOT/build-fuzz/$target.log"
        if ! "$ROOT/scripts/fuzz.sh" "$target" "$FUZZ_SECONDS" >"$log" 2>&1; then
            cat "$log"
            echo "fuzz target $target failed; the input is in build-fuzz/findings/" >&2
            exit 1
        fi
        echo "fuzz $target: $(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log")"
    done
fi
