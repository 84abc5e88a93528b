#!/usr/bin/env bash
# Builds the editor (installing what it needs) and starts it: ./run.sh [skin file]
# The editor starts in the caller's folder, so that a relative skin path names
# the file the caller means.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/tools/setup.sh"
exec "$here/build/TVX_Morvane" "$@"
