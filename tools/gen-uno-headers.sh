#!/usr/bin/env bash
# Generates the C++ headers of the office's UNO API once, into a folder outside any build tree.
# The office exchange library is built only where they exist. Quiet when they are there already.
set -euo pipefail
out=${NOVA_UNO_INCLUDE:-/opt/nova-uno/include}
program=/usr/lib/libreoffice/program
maker=/usr/lib/libreoffice/sdk/bin/cppumaker
[ -f "$out/com/sun/star/frame/Desktop.hpp" ] && exit 0
if [ ! -x "$maker" ] || [ ! -f "$program/types.rdb" ] || [ ! -f "$program/types/offapi.rdb" ]; then
  echo "The office SDK is missing (libreoffice-dev): no UNO headers generated." >&2
  exit 1
fi
tmp=$(mktemp -d "${out%/*}/.uno-headers.XXXXXX" 2>/dev/null || { mkdir -p "${out%/*}" && mktemp -d "${out%/*}/.uno-headers.XXXXXX"; })
"$maker" -Gc -O"$tmp" "$program/types.rdb" "$program/types/offapi.rdb"
rm -rf "$out"
mv "$tmp" "$out"
chmod -R a+rX "$out"
echo "UNO headers generated in $out"
