#!/usr/bin/env bash
# Installs what is missing, builds (the demo flora included), and opens Kestrane on the demo flora.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

export KESTRANE_MACHINE_SETTINGS="$PWD/build/flora/kestrane.ini"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display to open the window on; the demo flora from the command-line key instead:"
  exec build/tools/cli/kestrane-cli rank --settings "$KESTRANE_MACHINE_SETTINGS"
fi
# The document view's web engine will not start as root without its sandbox switched off.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox}"
fi
exec build/src/start/kestrane "$@"
