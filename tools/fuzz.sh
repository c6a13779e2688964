#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) and runs one of them.
#   tools/fuzz.sh <target> [seconds]     e.g. tools/fuzz.sh fuzz_iodd_reader 600
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: tools/fuzz.sh <fuzz target> [seconds]}
secs=${2:-600}
./tools/install-deps.sh
command -v clang++-14 >/dev/null || apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
cmake -S . -B "build-fuzz-$target" -G Ninja -DCFG_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz-$target --target "$target"
corpus=build-fuzz-$target/corpus
mkdir -p "$corpus" build-fuzz-$target/crashes
seeds=fuzz/seeds/$target
[ -d "$seeds" ] || seeds=
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan-qt.supp
./build-fuzz-$target/fuzz/"$target" -max_total_time="$secs" -artifact_prefix=build-fuzz-$target/crashes/ \
  -rss_limit_mb=4096 "$corpus" $seeds
