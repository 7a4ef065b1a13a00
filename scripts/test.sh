#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, then a short bounded fuzz pass.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
ctest --test-dir build --output-on-failure -j"$jobs"

bash scripts/fuzz.sh "${KESTRANE_FUZZ_SECONDS:-15}"
