#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test through CTest.
source "$(dirname "$0")/scripts/common.sh"
install_packages
build_tandor -DTANDOR_WERROR=ON -DTANDOR_BUILD_TESTS=ON -DTANDOR_BUILD_BENCH=ON
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" "$@"
