#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer (both
# stop the run) and runs each for the given number of seconds, from the seeds in fuzz/seeds/<target>/.
#   fuzz/run.sh [seconds per target] [target ...]
# With TVX_FUZZ_NO_BUILD=1 the targets already built are run as they are (several
# runs in parallel then do not build into one tree at once).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
if [ -z "${TVX_FUZZ_NO_BUILD:-}" ]; then
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTVX_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF >/dev/null
    cmake --build build-fuzz -j"${TVX_FUZZ_JOBS:-3}" --target "${targets[@]}"
fi
export QT_QPA_PLATFORM=offscreen
for t in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$t"
    mkdir -p "$corpus"
    # New inputs go into the corpus; the seeds of fuzz/seeds/<target>/ are only read.
    seeds=()
    [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
    echo "== $t for ${seconds}s"
    ./build-fuzz/fuzz/"$t" -max_total_time="$seconds" -rss_limit_mb=4096 -artifact_prefix="build-fuzz/$t-" \
        "$corpus" "${seeds[@]}"
done
