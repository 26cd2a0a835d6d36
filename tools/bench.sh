#!/bin/sh
# Builds the portable code optimised and without sanitizers and runs its benchmarks. Not
# part of tools/test.sh: timings depend on the machine and on what else it is doing.
# Extra arguments go to the benchmark program (for example --benchmark_format=json).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/tools/bootstrap.sh"

cmake --preset native-release
cmake --build --preset native-release --target orvanta_benchmarks
exec "$root/build/native-release/bin/orvanta_benchmarks" "$@"
