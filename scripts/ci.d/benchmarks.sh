#!/usr/bin/env bash
# Every benchmark once at its smallest size, so that none stops unseen: the
# benchmarks read QUVEX_BENCH_ONCE (bench/BenchOnce.h) for their iteration
# counts and sizes, the rest run the shortest minimum time. A benchmark that
# crashes, exits with an error or reports one (SkipWithError) fails the step.
# Measuring is a run by hand without QUVEX_BENCH_ONCE.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build="${QUVEX_BUILD_DIR:-$here/build}"
out="$build/bench-check"
mkdir -p "$out"
export QUVEX_BENCH_ONCE=1 QT_QPA_PLATFORM=offscreen

benches=()
for bin in "$build"/bench/bench_*; do
  [ -f "$bin" ] && [ -x "$bin" ] && benches+=("$bin")
done
if [ ${#benches[@]} -eq 0 ]; then
  echo "benchmarks: none built in $build/bench"
  exit 1
fi

failed=()
for bin in "${benches[@]}"; do
  name=$(basename "$bin")
  json="$out/$name.json"
  rm -f "$json"
  start=$SECONDS
  if ! timeout 300 "$bin" --benchmark_min_time=0.000001 --benchmark_out="$json" \
      --benchmark_out_format=json >"$out/$name.log" 2>&1; then
    echo "benchmarks: $name did not finish (log: $out/$name.log)"
    tail -n 20 "$out/$name.log"
    failed+=("$name")
  elif ! grep -q '"name":' "$json"; then
    echo "benchmarks: $name ran no benchmark"
    failed+=("$name")
  elif grep -q '"error_occurred": true' "$json"; then
    echo "benchmarks: $name reported an error:"
    awk '/"name":/ { name = $0 } /"error_message":/ { print name; print $0 }' "$json"
    failed+=("$name")
  else
    echo "benchmarks: $name ok ($((SECONDS - start)) s)"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "benchmarks: failed: ${failed[*]}"
  exit 1
fi
echo "benchmarks: done"
