#!/usr/bin/env bash
# clang-tidy over the core and the in-memory back-end, with the host build's compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
mapfile -t files < <(git ls-files 'src/app/*.cpp' 'tools/*.cpp' 'src/registry/*.cpp' 'src/primitives/*.cpp' \
  'src/cleaners/*.cpp' 'src/browser/*.cpp' 'src/platform/sim/*.cpp')
clang-tidy -p build/host --quiet --extra-arg=-Wno-unknown-warning-option "${files[@]}" 2>&1 | grep -E "(warning|error):" && exit 1
echo "clang-tidy: clean"
