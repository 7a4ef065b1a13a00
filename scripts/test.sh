#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, then a short bounded fuzz pass.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# Every include points down the layers of src/.
python3 scripts/check-layers.py

jobs=$(nproc)
# ccache keyed on paths relative to the checkout, so a fresh clone reuses earlier compilations.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The web key's engine: the core compiled by emscripten into build-web (its optimiser runs on
# Debian's acorn); the native tests run it under Node against the command-line key.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -G Ninja -DKESTRANE_WEB=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$jobs"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DKESTRANE_WEB_ENGINE="$PWD/build-web/src/web"
cmake --build build -j"$jobs"

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
ctest --test-dir build --output-on-failure -j"$jobs"

# The Debian package: built, its contents checked, its unpacked tools run.
bash scripts/check-package.sh build

bash scripts/fuzz.sh "${KESTRANE_FUZZ_SECONDS:-15}"
