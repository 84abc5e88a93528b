#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and runs each for the given number of seconds.
#   fuzz/run.sh [seconds per target] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTVX_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
for t in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$t"
    mkdir -p "$corpus"
    echo "== $t for ${seconds}s"
    ./build-fuzz/fuzz/"$t" -max_total_time="$seconds" -rss_limit_mb=4096 "$corpus"
done
