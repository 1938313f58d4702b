#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"
