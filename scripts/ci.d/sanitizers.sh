#!/usr/bin/env bash
# The whole tree built with AddressSanitizer and UndefinedBehaviorSanitizer
# (a build folder of its own, benchmarks left out), then the whole test suite
# under them. Any sanitizer report fails the step. Uses ccache when present.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out="${QUVEX_BUILD_DIR:-$here/build}/sanitize"
start=$(date +%s)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Test discovery runs the test programs while building: no leak report there.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

echo "sanitizers: build"
cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUVEX_SANITIZE=ON -DQUVEX_BUILD_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$out" -j"$(nproc)"
built=$(date +%s)

echo "sanitizers: the test suite"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$here/scripts/ci.d/sanitizers.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
(cd "$out" && ctest --output-on-failure -j"$(nproc)" --timeout 900)
done_at=$(date +%s)
echo "sanitizers: build $((built - start)) s, tests $((done_at - built)) s"
