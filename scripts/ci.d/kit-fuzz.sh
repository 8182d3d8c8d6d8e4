#!/usr/bin/env bash
# The kit's stored-data decoders under the sanitizers: their unit tests built
# with AddressSanitizer + UBSan, then each libFuzzer target for a bounded time.
# The decoders are plain C++, so they are built here alone with clang.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out="${QUVEX_BUILD_DIR:-$here/build}/kit-fuzz"
secs="${KIT_FUZZ_SECONDS:-40}"
mkdir -p "$out"

srcs=(controls/panels/KitLzrw.cpp controls/panels/KitDataStream.cpp
      controls/panels/KitWaveData.cpp controls/panels/KitStreamRecords.cpp)
tests=(tests/controls/panels/kit2_compress_test.cpp tests/controls/panels/kit2_records_test.cpp)
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$here" -fno-sanitize-recover=undefined)
cd "$here"

echo "kit-fuzz: sanitizer build of the decoder tests"
clang++ "${flags[@]}" -fsanitize=address,undefined "${srcs[@]}" "${tests[@]}" \
  -lgtest -lgtest_main -pthread -o "$out/kit_decoder_tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "$out/kit_decoder_tests" --gtest_brief=1

for target in kit_decompress_fuzz kit_streams_fuzz; do
  echo "kit-fuzz: $target for ${secs}s"
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "${srcs[@]}" \
    "tests/controls/panels/fuzz/$target.cc" -o "$out/$target"
  corpus="$out/corpus-$target"
  mkdir -p "$corpus"
  "$out/$target" -max_total_time="$secs" -max_len=40000 -rss_limit_mb=1024 \
    -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
done
echo "kit-fuzz: done"
