#!/usr/bin/env bash
# Installs what is missing and builds (all targets, or the ones named), quietly: only warnings and
# errors are shown, and a failed build exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
# Paths relative to the checkout, so a fresh clone in another folder hits the same cache entries.
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja -Wno-dev >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
set +e
cmake --build build "${targets[@]}" -- -j"${JOBS:-$(nproc)}" 2>&1 | grep -v -E '^(\[[0-9]+/[0-9]+\] |ninja: no work to do)'
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || { echo "Build failed." >&2; exit "$status"; }
