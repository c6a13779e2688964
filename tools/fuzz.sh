#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) and runs one of them.
#   tools/fuzz.sh <target> [seconds]     e.g. tools/fuzz.sh fuzz_iodd_reader 600
# Every target builds in the one folder build-fuzz (several runs at once share it: the build is
# locked); each keeps its corpus and findings in build-fuzz/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: tools/fuzz.sh <fuzz target> [seconds]}
secs=${2:-600}
./tools/install-deps.sh
command -v clang++-14 >/dev/null || apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
mkdir -p build-fuzz
(
  flock 9
  cmake -S . -B build-fuzz -G Ninja -DCFG_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
  cmake --build build-fuzz --target "$target" -- -j"${JOBS:-$(nproc)}"
) 9>build-fuzz/.lock
work=build-fuzz/$target
mkdir -p "$work/corpus" "$work/crashes"
seeds=()
[ -d "fuzz/seeds/$target" ] && seeds+=("fuzz/seeds/$target")
# The real IODD files and standard definitions beside the project, when they are there: read in
# place, never copied into the project.
shared=../shared/testdata/iodd
if [ -d "$shared/standard" ]; then
  export CFG_FUZZ_STANDARD_DIR="$(cd "$shared/standard" && pwd)"
  [ "$target" = fuzz_iodd_reader ] && seeds+=("$shared/devices")
fi
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan-qt.supp
# Undefined behaviour is a finding like a crash, not a line in the log.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
./build-fuzz/fuzz/"$target" -max_total_time="$secs" -artifact_prefix="$work/crashes/" \
  -rss_limit_mb=4096 "$work/corpus" "${seeds[@]}"
