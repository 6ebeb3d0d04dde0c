#!/usr/bin/env bash
# Runs every benchmark program of a build; each prints its own ratios.
set -euo pipefail
BUILD_DIR=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
for program in "$BUILD_DIR"/bench/bench_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program"
done
