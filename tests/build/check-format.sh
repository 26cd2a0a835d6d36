#!/bin/sh
# Fails when a C++ source of the tree is not formatted as .clang-format says.
set -eu
root="$1"
cd "$root"
find src tests tools -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run -Werror
