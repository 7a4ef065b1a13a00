#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# then runs each for a bounded time (first argument, seconds; default 15) from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKESTRANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)"

status=0
for target in $(find build-fuzz/fuzz -maxdepth 2 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$target")
  seeds=$(find fuzz -type d -path "*/corpus/$name" | head -n 1)
  work=$(mktemp -d)
  [ -n "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 "$work" >"$work.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -n 40 "$work.log"; status=1
  fi
  rm -rf "$work" "$work.log"
done
exit $status
