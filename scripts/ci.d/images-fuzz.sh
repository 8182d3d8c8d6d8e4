#!/usr/bin/env bash
# The picture formats' readers under the sanitizers: the codec and colour
# reduction tests built with AddressSanitizer + UBSan, then a bounded
# libFuzzer run over the GIF reader, the animated-cursor reader and the
# icon-list reader. giflib is the tests' oracle only.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out="${QUVEX_BUILD_DIR:-$here/build}/images-fuzz"
secs="${IMAGES_FUZZ_SECONDS:-25}"
mkdir -p "$out"
cd "$here"

gif_srcs=(controls/images/GifLzw.cpp controls/images/GifImage.cpp controls/images/ColorReduction.cpp)
icon_srcs=(controls/images/AniCursor.cpp controls/images/IconFile.cpp controls/images/IconList.cpp
           controls/images/GifQImage.cpp)
qt=($(pkg-config --cflags --libs Qt6Gui))
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fPIC -I"$here" -fno-sanitize-recover=undefined)

echo "images-fuzz: sanitizer build of the codec and reduction tests"
clang++ "${flags[@]}" -fsanitize=address,undefined "${gif_srcs[@]}" \
  tests/controls/images/GifCodecTest.cpp tests/controls/images/ColorReductionTest.cpp \
  tests/controls/images/GiflibOracle.cpp -lgif -lgtest -lgtest_main -pthread -o "$out/images_codec_tests"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "$out/images_codec_tests" --gtest_brief=1

seed() { # name, then the corpus files from a few of the tests' own shapes
  local corpus="$out/corpus-$1"
  mkdir -p "$corpus"
  echo "$corpus"
}

gif_corpus=$(seed gif_reader_fuzz)
printf '\001GIF89a\002\000\002\000\200\000\000\000\000\000\377\377\377,\000\000\000\000\002\000\002\000\000\002\002\104\001\000;' \
  >"$gif_corpus/two-by-two"
printf '\003\060\000\000\000GIF87a\001\000\001\000\000\000\000,\000\000\000\000\001\000\001\000\000\002\002\114\001\000;' \
  >"$gif_corpus/form-data"
ani_corpus=$(seed ani_reader_fuzz)
printf 'RIFF\044\000\000\000ACONanih\044\000\000\000\044\000\000\000\001\000\000\000\001\000\000\000' \
  >"$ani_corpus/header"
list_corpus=$(seed icon_list_fuzz)
printf '\002\000\000\000\000\000\000\000\006\000\000\000\000\000\001\000\000\000' >"$list_corpus/two"

run() { # target, sources..., then the corpus
  local target=$1 corpus=$2
  shift 2
  echo "images-fuzz: $target for ${secs}s"
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "$@" \
    "tests/controls/images/fuzz/$target.cc" "${qt[@]}" -o "$out/$target"
  "$out/$target" -max_total_time="$secs" -max_len=20000 -rss_limit_mb=2048 -timeout=20 \
    -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
}
run gif_reader_fuzz "$gif_corpus" "${gif_srcs[@]}"
run ani_reader_fuzz "$ani_corpus" "${gif_srcs[@]}" "${icon_srcs[@]}"
run icon_list_fuzz "$list_corpus" "${gif_srcs[@]}" "${icon_srcs[@]}"
echo "images-fuzz: done"
