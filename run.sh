#!/usr/bin/env bash
# Builds the editor (installing what it needs) and starts it: ./run.sh [skin file]
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
exec ./build/TVX_Morvane "$@"
