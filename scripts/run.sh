#!/usr/bin/env bash
# Builds, then starts Quillet (or Lumbra: scripts/run.sh lumbra).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
program="${1:-quillet}"
case "$program" in
  quillet) exec build/mainwindow/quillet ;;
  lumbra) exec build/linkopener/lumbra ;;
  *) echo "usage: scripts/run.sh [quillet|lumbra]" >&2; exit 2 ;;
esac
