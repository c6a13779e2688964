#!/usr/bin/env bash
# Installs what is missing, builds, and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
export CCACHE_BASEDIR="$(cd .. && pwd)" CCACHE_NOHASHDIR=1
cmake -S . -B build -G Ninja -Wno-dev >/dev/null
# Quiet build: only warnings and errors are shown; a failed build stops here.
set +e
cmake --build build --target configurator -- -j"$(nproc)" 2>&1 | grep -v -E '^(\[[0-9]+/[0-9]+\] |ninja: no work to do)'
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || { echo "Build failed." >&2; exit "$status"; }
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: the configurator is a desktop program and needs a graphical session." >&2
  echo "Start it from a desktop, or without one: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec ./build/app/configurator
