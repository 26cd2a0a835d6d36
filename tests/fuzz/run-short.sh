#!/bin/sh
# Runs a fuzz target briefly and reproducibly: a fixed seed and number of inputs, the seed
# corpus read from the tree, and what the run adds kept in a folder of its own that goes
# away afterwards, so the tree and the next run are untouched.
set -eu
fuzzer="$1"
seeds="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/corpus"
cd "$work"
"$fuzzer" -seed=1 -runs=150000 -max_len=4096 -timeout=10 -print_final_stats=1 "$work/corpus" "$seeds"
