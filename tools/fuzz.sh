#!/bin/sh
# Fuzzes the answer reader for a long while (600 seconds, or the number given) with fresh
# random seeds. What it learns is kept in build/native/fuzz/corpus for the next run; an
# input that breaks the reader is written to build/native/fuzz/ as crash-* and the run fails.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds="${1:-600}"

"$root/tools/bootstrap.sh"
cmake --preset native
cmake --build --preset native --target answer_reader_fuzz

out="$root/build/native/fuzz"
mkdir -p "$out/corpus"
cd "$out"
"$root/build/native/bin/answer_reader_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "$root/tests/fuzz/corpus"
