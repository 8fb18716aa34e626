#!/usr/bin/env bash
# Builds, then runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600 "$@"
