#!/usr/bin/env bash
# The direction of the layers' includes, then clang-tidy over the core and the in-memory
# back-end, the seam's own helpers and the SQLite places store, with the host build's compile
# commands.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 scripts/check_layers.py
cmake --preset host >/dev/null
mapfile -t files < <(git ls-files 'src/app/*.cpp' 'tools/readme_targets/*.cpp' 'src/registry/*.cpp' 'src/primitives/*.cpp' \
  'src/cleaners/*.cpp' 'src/browser/*.cpp' ':(glob)src/platform/*.cpp' 'src/platform/sim/*.cpp' 'src/recording/*.cpp' 'src/cli/*.cpp' \
  'src/platform/sqlite/*.cpp')
findings="$(clang-tidy -p build/host --quiet --extra-arg=-Wno-unknown-warning-option "${files[@]}" 2>&1 |
  grep -E "(warning|error):" || true)"
if [[ -n "$findings" ]]; then
  echo "$findings"
  exit 1
fi
echo "clang-tidy: clean"
