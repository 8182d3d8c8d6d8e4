#!/usr/bin/env bash
# The edit controls' number engine (decimal value, parsing, pattern
# formatting) under the sanitizers: its unit tests with AddressSanitizer +
# UBSan, then a bounded libFuzzer run over arbitrary texts and patterns.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out="${QUVEX_BUILD_DIR:-$here/build}/edits-numbers"
secs="${EDITS_FUZZ_SECONDS:-30}"
mkdir -p "$out"
cd "$here"

srcs=(controls/edits/Decimal.cpp controls/edits/NumFormat.cpp controls/edits/StrUtils.cpp)
qt=($(pkg-config --cflags --libs Qt6Core))
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fPIC -I"$here" -fno-sanitize-recover=undefined)

echo "edits-numbers: sanitizer build of the number tests"
clang++ "${flags[@]}" -fsanitize=address,undefined "${srcs[@]}" tests/controls/edits/NumFormatTest.cpp \
  "${qt[@]}" -lgtest -lgtest_main -pthread -o "$out/edits_number_tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "$out/edits_number_tests" --gtest_brief=1

echo "edits-numbers: number_text_fuzz for ${secs}s"
clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "${srcs[@]}" \
  tests/controls/edits/fuzz/number_text_fuzz.cc "${qt[@]}" -o "$out/number_text_fuzz"
corpus="$out/corpus"
mkdir -p "$corpus"
printf '1234.5' >"$corpus/plain"
printf -- '-1234567|,0.;-\\,0.' >"$corpus/amount"
printf '0.00012345|0.00E+00' >"$corpus/sci"
"$out/number_text_fuzz" -max_total_time="$secs" -max_len=256 -rss_limit_mb=1024 \
  -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
echo "edits-numbers: done"
