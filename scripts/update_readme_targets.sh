#!/usr/bin/env bash
# Rewrites README.md's table of what each box removes from the program's own tables (the
# catalogue with its step tables, and the descriptions of the cleaners written in code).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset host >/dev/null
cmake --build build/host -j2 --target scourix_readme_targets
build/host/tools/readme_targets/scourix_readme_targets --write README.md
echo "README.md: table of targets written"
