#!/usr/bin/env bash
# Installs the Debian 12 packages the configurator needs; quiet when all are present.
set -euo pipefail
pkgs=(g++ cmake ninja-build qt6-base-dev libpugixml-dev zlib1g-dev libjpeg62-turbo-dev
      libgtest-dev libbenchmark-dev fonts-dejavu-core xvfb xauth libxtst6 ccache python3 poppler-utils
      libqt6sql6-sqlite libxml2-utils libreoffice-calc-nogui libreoffice-writer-nogui libreoffice-dev
      libreoffice-dev-common smitools snmp)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The office's API headers are generated once, after the office SDK is in place.
uno_headers() { "$(dirname "$0")/gen-uno-headers.sh"; }
[ ${#missing[@]} -eq 0 ] && { uno_headers || true; exit 0; }
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}. Run as root (or install them with apt-get)." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
uno_headers || true
