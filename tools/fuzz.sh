#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) and runs one of them. The targets
# share one build folder (build-fuzz); each keeps its corpus and findings there.
#   tools/fuzz.sh <target> [seconds]     e.g. tools/fuzz.sh fuzz_iodd_reader 600
#   JOBS=3 tools/fuzz.sh ...             build with 3 jobs (default: all cores)
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: tools/fuzz.sh <fuzz target> [seconds]}
secs=${2:-600}
./tools/install-deps.sh
command -v clang++-14 >/dev/null || apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'install ok installed' ||
  apt-get install -y -qq --no-install-recommends libclang-rt-14-dev >/dev/null
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
cmake -S . -B build-fuzz -G Ninja -Wno-dev -DCFG_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz --target "$target" -- -j"${JOBS:-$(nproc)}"
corpus=build-fuzz/corpus/$target
crashes=build-fuzz/crashes/$target
mkdir -p "$corpus" "$crashes"
seeds=fuzz/seeds/$target
[ -d "$seeds" ] || seeds=
# The real IODD files and standard definitions beside the project, when they are there: read in
# place, never copied into the project.
shared=../shared/testdata/iodd
if [ -d "$shared/standard" ]; then
  export CFG_FUZZ_STANDARD_DIR="$(cd "$shared/standard" && pwd)"
  [ "$target" = fuzz_iodd_reader ] && seeds="$seeds $shared/devices"
fi
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan-qt.supp
# Undefined behaviour stops the run like a crash, so that it is kept as a finding.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
./build-fuzz/fuzz/"$target" -max_total_time="$secs" -artifact_prefix="$crashes/" \
  -rss_limit_mb=4096 "$corpus" $seeds
