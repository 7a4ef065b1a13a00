#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrane needs to build, run and test, skipping those already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev qt6-webchannel-dev
  libgl-dev libsqlite3-dev sqlite3 libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libfmt-dev libgif-dev
  qt6-translations-l10n
  xvfb xauth libwmf-bin fonts-urw-base35 poppler-utils ccache python3
  help2man dpkg-dev appstream desktop-file-utils
  emscripten node-acorn nodejs chromium
)
# npm for the browser test's driver, unless a Node.js that brings its own is installed.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: every package is present"
else
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The driver of the browser test (the locked version of tests/web/navigateur/package-lock.json).
navigateur="$(dirname "$0")/../tests/web/navigateur"
if [ ! -f "$navigateur/node_modules/playwright-core/package.json" ]; then
  (cd "$navigateur" && npm ci --no-audit --no-fund)
fi
