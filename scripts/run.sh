#!/usr/bin/env bash
# Sets up, builds and starts the windowed program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build
exec "$BUILD/ostrane" "$@"
