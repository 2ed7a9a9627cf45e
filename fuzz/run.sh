#!/usr/bin/env bash
# Builds the fuzz targets with clang and fuzzes each in turn: `fuzz/run.sh [SECONDS] [TARGET ...]`
# (60 seconds each by default; all four targets without names: the project-file reader, the settings
# file, the JSON importer and the test bench reader). Crash inputs land in the build folder; the committed seed corpora are
# copied, never grown in place.
set -euo pipefail
seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOLMEK_FUZZ_BUILD:-$root/build-fuzz}

# Each target with the seed corpus it starts from.
declare -A seeds=(
  [fuzz_open_project]=corpus
  [fuzz_settings_file]=corpus-settings
  [fuzz_plan_json]=corpus-json
  [fuzz_bench_file]=corpus-bench
)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(fuzz_open_project fuzz_settings_file fuzz_plan_json fuzz_bench_file); fi
for target in "${targets[@]}"; do
  if [ -z "${seeds[$target]:-}" ]; then echo "fuzz/run.sh: no target $target" >&2; exit 2; fi
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLMEK_FUZZ=ON -DTOLMEK_GUI=OFF -DTOLMEK_TESTS=OFF -DTOLMEK_BENCH=OFF >/dev/null
ninja -C "$build" "${targets[@]}"

for target in "${targets[@]}"; do
  corpus=$(mktemp -d)
  cp "$root/fuzz/${seeds[$target]}"/* "$corpus"/
  echo "== $target: $seconds s"
  status=0
  "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/$target-" || status=$?
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then exit "$status"; fi
done
