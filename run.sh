#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tandor.
source "$(dirname "$0")/scripts/common.sh"
install_packages
build_tandor -DTANDOR_BUILD_TESTS=OFF -DTANDOR_BUILD_BENCH=OFF
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec "$BUILD_DIR/bin/tandor" "$@"
