#!/usr/bin/env bash
# Installs what is missing, builds, and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")"
./tools/build.sh configurator
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: the configurator is a desktop program and needs a graphical session." >&2
  echo "Start it from a desktop, or without one: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec ./build/app/configurator
