#!/usr/bin/env bash
# The workbook readers under the sanitizers, Excel 97-2003 and Office Open
# XML: a bounded libFuzzer run of each from a workbook the program itself
# writes, with a memory limit well below what a crafted file could make an
# unchecked reader take.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out="${QUVEX_BUILD_DIR:-$here/build}/workbook-fuzz"
secs="${WORKBOOK_FUZZ_SECONDS:-25}"
mkdir -p "$out/corpus" "$out/xlsx-corpus"
cd "$here"

srcs=(platform/CompoundFile.cpp platform/XlsReader.cpp platform/XlsWriter.cpp platform/SheetCells.cpp
      platform/SheetValues.cpp)
qt=($(pkg-config --cflags --libs Qt6Core))
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fPIC -I"$here" -fno-sanitize-recover=undefined)

clang++ "${flags[@]}" "${srcs[@]}" tests/platform/fuzz/workbook_seed.cc "${qt[@]}" -o "$out/workbook_seed"
"$out/workbook_seed" "$out/corpus/saved.xls"

echo "workbook-fuzz: workbook_reader_fuzz for ${secs}s"
clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "${srcs[@]}" tests/platform/fuzz/workbook_reader_fuzz.cc \
  "${qt[@]}" -o "$out/workbook_reader_fuzz"
"$out/workbook_reader_fuzz" -max_total_time="$secs" -max_len=20000 -rss_limit_mb=512 -malloc_limit_mb=256 \
  -timeout=20 -print_final_stats=0 "$out/corpus" 2>&1 | tail -n 3
xlsx_srcs=(platform/XlsxReader.cpp platform/SheetCells.cpp platform/SheetValues.cpp)
zip=($(pkg-config --cflags --libs minizip))
clang++ -std=c++20 -O1 tests/platform/fuzz/xlsx_seed.cc $(pkg-config --cflags --libs xlsxwriter) -o "$out/xlsx_seed"
"$out/xlsx_seed" "$out/xlsx-corpus/saved.xlsx"

echo "workbook-fuzz: xlsx_reader_fuzz for ${secs}s"
clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "${xlsx_srcs[@]}" tests/platform/fuzz/xlsx_reader_fuzz.cc \
  "${qt[@]}" "${zip[@]}" -o "$out/xlsx_reader_fuzz"
"$out/xlsx_reader_fuzz" -max_total_time="$secs" -max_len=20000 -rss_limit_mb=512 -malloc_limit_mb=256 \
  -timeout=20 -print_final_stats=0 "$out/xlsx-corpus" 2>&1 | tail -n 3
echo "workbook-fuzz: done"
