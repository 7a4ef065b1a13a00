#!/usr/bin/env bash
# Installs what is missing, builds, and runs Kestrane on the bundled knowledge base.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
# Until the window and the demo flora exist, the command-line key describes the test base.
exec build/tools/cli/kestrane-cli info --settings build/tests/fixtures/small/kestrane.ini
