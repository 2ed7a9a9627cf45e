#!/usr/bin/env bash
# Builds the project-file fuzz target with clang and fuzzes it: `fuzz/run.sh [SECONDS]` (60 by default).
# Crash inputs land in the build folder; the committed seed corpus is copied, never grown in place.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOLMEK_FUZZ_BUILD:-$root/build-fuzz}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLMEK_FUZZ=ON -DTOLMEK_GUI=OFF -DTOLMEK_TESTS=OFF -DTOLMEK_BENCH=OFF >/dev/null
ninja -C "$build" fuzz_open_project

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$root"/fuzz/corpus/* "$corpus"/
"$build/fuzz/fuzz_open_project" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/"
