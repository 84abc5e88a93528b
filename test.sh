#!/usr/bin/env bash
# Builds the editor (installing what it needs) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
